# One INTERFACE target carries the compiler policy; every target of the project links it.
add_library(tervo_compiler_policy INTERFACE)

target_compile_features(tervo_compiler_policy INTERFACE cxx_std_20)
target_compile_options(tervo_compiler_policy INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wimplicit-fallthrough -Wcast-qual -Wformat=2)
target_compile_definitions(tervo_compiler_policy INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_FOREACH
    QT_STRICT_ITERATORS)

if(TERVO_WERROR)
    target_compile_options(tervo_compiler_policy INTERFACE -Werror)
endif()

if(TERVO_SANITIZE)
    set(_tervo_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_compile_options(tervo_compiler_policy INTERFACE ${_tervo_sanitizers})
    target_link_options(tervo_compiler_policy INTERFACE ${_tervo_sanitizers})
endif()
