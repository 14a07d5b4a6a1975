# Warnings for our own targets only; third-party headers come in as system includes.
function(rovuzu_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual)
    if(ROVUZU_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
