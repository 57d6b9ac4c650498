# Compile options shared by every target of the project (not by GoogleTest).
function(quorvane_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -fexec-charset=GBK)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(QUORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0601)
    # Everything static: the executables need nothing but Windows' own DLLs.
    target_link_options(${target} PUBLIC -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
