# Stands in for the command-line checks when CMake found no Python: the suite fails.
message(FATAL_ERROR "The command-line checks need Python 3 (python3); install it and configure again.")
