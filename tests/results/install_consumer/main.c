/* Calls the installed engine through its public header: a mode other than
 * ZOLAN_RUN is refused with ZOLAN_BADARG and runs nothing. */
#include <stdio.h>
#include <zolan.h>

int main(void) {
    const int status = IZOLAN(0);
    if (status != ZOLAN_BADARG) {
        fprintf(stderr, "IZOLAN(0) returned %d, expected %d\n", status, ZOLAN_BADARG);
        return 1;
    }
    puts("zolan consumer: IZOLAN(0) refused as expected");
    return 0;
}
