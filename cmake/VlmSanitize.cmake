# VLM_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer; any
# report ends the process, so a test that trips one fails.
option(VLM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VLM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
