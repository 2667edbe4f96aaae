# Compiler warnings for the project's own targets (not for dependencies).
option(TOVREL_WERROR "Treat warnings as errors" OFF)
add_library(tovrel_warnings INTERFACE)
target_compile_options(tovrel_warnings INTERFACE -Wall -Wextra
  $<$<BOOL:${TOVREL_WERROR}>:-Werror>)
