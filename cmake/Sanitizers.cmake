option(NOCTURNIA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# float-cast-overflow is outside "undefined" for GCC: a double out of an integer's range is
# undefined all the same.
if(NOCTURNIA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -fno-sanitize-recover=undefined,float-cast-overflow)
    add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()
