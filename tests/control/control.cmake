# The run driver's tests compare a run with the front end's run of the same
# input in a process of its own.
add_dependencies(zolan_tests zolan_cli)
