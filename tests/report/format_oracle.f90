! Reference writer for the formatted-output tests: reads cases from standard
! input and writes each one with the GNU Fortran run time, followed by a
! line "@@END@@" (which continues an open record left by '$'). A write the
! run time rejects ends with "@@ERR@@" before the "@@END@@".
!
! A case is a header line "<mode> <n> <kinds>", for mode F a line with the
! edit list, then n item lines:
!   I <integer>          an integer (integer(8) in formatted writes, integer(4)
!                        in list-directed ones)
!   J <integer>          an integer(8) in a list-directed write
!   R <integer>          a real(8) given by its 64-bit pattern
!   T <length>:<text>    a text of exactly <length> characters
! Formatted writes (mode F) take n items of one kind; list-directed writes
! (mode L) take one or two items of any kinds, or one of a few triples.
program format_oracle
  implicit none
  type :: text_t
    character(:), allocatable :: s
  end type text_t
  character(len=8192) :: line, fmt
  character(len=1) :: mode
  character(len=16) :: kinds
  integer :: n, k, ios, colon, tl
  integer(8) :: iv(64), bits
  integer(4) :: i4(64)
  real(8) :: rv(64)
  type(text_t) :: tv(64)

  do
    read (*, '(A)', iostat=ios) line
    if (ios /= 0) exit
    read (line, *) mode, n, kinds
    if (mode == 'F') read (*, '(A)') fmt
    do k = 1, n
      read (*, '(A)') line
      select case (line(1:1))
      case ('I', 'J')
        read (line(3:), *) iv(k)
        if (iv(k) >= -2147483647_8 - 1 .and. iv(k) <= 2147483647_8) i4(k) = int(iv(k), 4)
      case ('R')
        read (line(3:), *) bits
        rv(k) = transfer(bits, 1.0d0)
      case ('T')
        colon = index(line, ':')
        read (line(3:colon - 1), *) tl
        tv(k)%s = line(colon + 1:colon + tl)
      end select
    end do
    ios = 0
    if (mode == 'F') then
      call formatted(trim(fmt))
    else
      call listed(trim(kinds(1:n)))
    end if
    if (ios /= 0) write (*, '(/,A)', advance='no') '@@ERR@@'
    write (*, '(A)') '@@END@@'
  end do

contains

  subroutine formatted(f)
    character(*), intent(in) :: f
    if (n == 0) then
      write (*, f, iostat=ios)
    else if (kinds(1:1) == 'I') then
      write (*, f, iostat=ios) iv(1:n)
    else if (kinds(1:1) == 'R') then
      write (*, f, iostat=ios) rv(1:n)
    else
      write (*, f, iostat=ios) (tv(k)%s, k = 1, n)
    end if
  end subroutine formatted

  subroutine listed(sig)
    character(*), intent(in) :: sig
    select case (sig)
    case ('I');   print *, i4(1)
    case ('J');   print *, iv(1)
    case ('R');   print *, rv(1)
    case ('T');   print *, tv(1)%s
    case ('II');  print *, i4(1), i4(2)
    case ('IJ');  print *, i4(1), iv(2)
    case ('IR');  print *, i4(1), rv(2)
    case ('IT');  print *, i4(1), tv(2)%s
    case ('JI');  print *, iv(1), i4(2)
    case ('JJ');  print *, iv(1), iv(2)
    case ('JR');  print *, iv(1), rv(2)
    case ('JT');  print *, iv(1), tv(2)%s
    case ('RI');  print *, rv(1), i4(2)
    case ('RJ');  print *, rv(1), iv(2)
    case ('RR');  print *, rv(1), rv(2)
    case ('RT');  print *, rv(1), tv(2)%s
    case ('TI');  print *, tv(1)%s, i4(2)
    case ('TJ');  print *, tv(1)%s, iv(2)
    case ('TR');  print *, tv(1)%s, rv(2)
    case ('TT');  print *, tv(1)%s, tv(2)%s
    case ('TIT'); print *, tv(1)%s, i4(2), tv(3)%s
    case ('TRT'); print *, tv(1)%s, rv(2), tv(3)%s
    case ('ITR'); print *, i4(1), tv(2)%s, rv(3)
    case ('TTI'); print *, tv(1)%s, tv(2)%s, i4(3)
    case ('RIR'); print *, rv(1), i4(2), rv(3)
    case default; print *, 'unknown kinds ', sig
    end select
  end subroutine listed

end program format_oracle
