# The browser's build (tools/build-web; emcmake cmake): Emscripten from
# Debian's archive, the project's own flags (top-level CMakeLists.txt), and
# pages made into one self-contained HTML file each (tools/web_page.py).
# Included by the top-level CMakeLists.txt when EMSCRIPTEN.

set(HEAT_WEB_PAGE ${CMAKE_CURRENT_LIST_DIR}/web_page.py)
# Emscripten runs on python3; so does the page maker.
find_program(HEAT_WEB_PYTHON3 python3 REQUIRED)

# The program's OpenGL in the browser is the layer of platform/web/gl: what
# an executable links as OpenGL::GL.
add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_libraries(OpenGL::GL INTERFACE platform_web_gl)

# emcc runs node scripts (its JavaScript optimiser) that load acorn, which
# Debian packages as a node module in /usr/share/nodejs. Debian's node looks
# there by itself; a node from elsewhere ahead of it on the machine does not.
# So the node emcc uses is asked, and where it cannot load acorn, links run
# with NODE_PATH naming the folder of Debian's node modules that has it.
execute_process(COMMAND em-config NODE_JS OUTPUT_VARIABLE emNode OUTPUT_STRIP_TRAILING_WHITESPACE)
# em-config prints a path, or a list such as ['/usr/bin/node'].
if(emNode MATCHES "^\\[ *['\"]([^'\"]+)['\"]")
  set(emNode ${CMAKE_MATCH_1})
endif()
execute_process(COMMAND ${emNode} -e "require.resolve('acorn')" RESULT_VARIABLE noAcorn OUTPUT_QUIET ERROR_QUIET)
if(noAcorn)
  set(acornFolder "")
  foreach(folder /usr/share/nodejs /usr/lib/nodejs)
    if(NOT acornFolder AND EXISTS ${folder}/acorn/package.json)
      set(acornFolder ${folder})
    endif()
  endforeach()
  if(NOT acornFolder)
    message(FATAL_ERROR "${emNode}, emcc's node, cannot load acorn, and Debian's node-acorn is not installed "
                        "(tools/install-deps web installs it)")
  endif()
  set(nodePath ${acornFolder})
  if(DEFINED ENV{NODE_PATH} AND NOT "$ENV{NODE_PATH}" STREQUAL "")
    set(nodePath "${acornFolder}:$ENV{NODE_PATH}")
  endif()
  message(STATUS "${emNode} does not find acorn by itself: emcc links with NODE_PATH=${nodePath}")
  set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${nodePath})
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${nodePath})
endif()

# A program for node: one .js file with its WebAssembly inside (no file to
# fetch, which node's fetch cannot do from a path).
function(heat_node_program target)
  set_target_properties(${target} PROPERTIES SUFFIX .js)
  target_link_options(${target} PRIVATE -sSINGLE_FILE=1 -sENVIRONMENT=node)
endfunction()

# A page for the browser: TARGET.js and TARGET.wasm, then OUTPUT, the
# template with both inside (the WebAssembly deflated), one file that works
# from disk (file://) and from any web server.
function(heat_single_file_page target template output)
  set_target_properties(${target} PROPERTIES SUFFIX .js)
  target_link_options(${target} PRIVATE -sENVIRONMENT=web)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${template} ${HEAT_WEB_PAGE}
               ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/web_inflate.js)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${HEAT_WEB_PYTHON3} ${HEAT_WEB_PAGE} ${template} $<TARGET_FILE:${target}>
            $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.wasm ${output}
    VERBATIM)
endfunction()
