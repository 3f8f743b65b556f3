# One warning policy for both builds.
add_compile_options(-Wall -Wextra -Wshadow -Werror)
if(SCRIVLO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
