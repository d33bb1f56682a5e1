# Flags shared by every target of the project.
#
# Results are compared bit for bit, so floating-point contraction (fused multiply-add) is off everywhere and
# no option that relaxes IEEE semantics or tunes for the build machine is ever used.

add_library(fasoria_flags INTERFACE)
target_compile_options(fasoria_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align)
if(FASORIA_WERROR)
    target_compile_options(fasoria_flags INTERFACE -Werror)
endif()

# Global so that third-party headers compiled into our objects follow the same arithmetic.
add_compile_options(-ffp-contract=off)

if(FASORIA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
