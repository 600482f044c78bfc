# -DKORVO_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer.
if(KORVO_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "KORVO_SANITIZE needs gcc or clang")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
