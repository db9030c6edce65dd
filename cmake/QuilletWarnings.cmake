# One place for the warning flags, so every target of the project gets the same.
function(quillet_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(QUILLET_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
