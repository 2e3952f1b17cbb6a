# Project warning flags, applied per target so that third-party code keeps its own, and to C++
# sources only: a target's resource script goes to the resource compiler, which takes none.
option(QUORL_WERROR "Treat warnings as errors" OFF)

function(quorl_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:/W4;/permissive->")
        # std::fopen is standard C++; MSVC's deprecation of it in favour of fopen_s (not in
        # GCC's library) would stop the /WX build.
        target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
        if(QUORL_WERROR)
            target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:/WX>)
        endif()
    else()
        target_compile_options(${target} PRIVATE
            "$<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra;-Wpedantic;-Wshadow>")
        if(QUORL_WERROR)
            target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
        endif()
    endif()
endfunction()
