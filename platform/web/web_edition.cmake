# The page: the program on the DOM platform, and the static folder ORBALTA_WEB_SITE (build/web)
# with everything a web server hands out. Included from ui/ for the WebAssembly build.
set(ORBALTA_WEB_SITE "${PROJECT_SOURCE_DIR}/build/web" CACHE PATH "Folder of the web edition")
set(web_dir ${PROJECT_SOURCE_DIR}/platform/web)

# The same runtime settings as the page's benchmark twin (bench/web): ASYNCIFY for the loops
# that block, JavaScript exceptions, the shipped font.
# The scripted user's page (tools/replay/web) links with the same, and its own input waits.
set(ORBALTA_WEB_ASYNC_IMPORTS "'orbdom_wait','orbdom_pick_file','orbdom_write_file'"
    CACHE INTERNAL "")
set(ORBALTA_WEB_LINK_OPTIONS -sASYNCIFY -sASYNCIFY_STACK_SIZE=262144 -sENVIRONMENT=web
    -sEXIT_RUNTIME=1 CACHE INTERNAL "")

add_executable(orbalta main/main_web.cpp ${web_dir}/web_file_writer.cpp)
target_link_libraries(orbalta PRIVATE orbalta_ui orbalta_platform_web)
target_link_options(orbalta PRIVATE ${ORBALTA_WEB_LINK_OPTIONS}
                    "-sASYNCIFY_IMPORTS=[${ORBALTA_WEB_ASYNC_IMPORTS}]"
                    "-sEXPORTED_RUNTIME_METHODS=['addRunDependency','removeRunDependency']")

set(web_files ${web_dir}/index.html ${web_dir}/orbalta.css)
set(web_fonts ${web_dir}/fonts/LiberationSans-Regular.woff2 ${web_dir}/fonts/LiberationSerif-Italic.woff2
              ${web_dir}/fonts/LICENSE ${web_dir}/fonts/GPL-2)
add_custom_command(TARGET orbalta POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORBALTA_WEB_SITE}/fonts ${ORBALTA_WEB_SITE}/licenses
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:orbalta> ${ORBALTA_WEB_SITE}/orbalta.js
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE_DIR:orbalta>/orbalta.wasm ${ORBALTA_WEB_SITE}/orbalta.wasm
  COMMAND ${CMAKE_COMMAND} -E copy ${web_files} ${ORBALTA_WEB_SITE}/
  COMMAND ${CMAKE_COMMAND} -E copy ${web_fonts} ${ORBALTA_WEB_SITE}/fonts/
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${ORBALTA_WEB_SITE}/licenses/LICENSE
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/LGPL-3 ${ORBALTA_WEB_SITE}/licenses/LGPL-3
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/GPL-3 ${ORBALTA_WEB_SITE}/licenses/GPL-3
  COMMAND ${CMAKE_COMMAND} -E copy ${web_dir}/licenses/README ${ORBALTA_WEB_SITE}/licenses/README
  VERBATIM)
