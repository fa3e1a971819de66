# Writes the service worker for the built page: cmake -DOUT=dir -DTEMPLATE=sw.js.in -P make_sw.cmake
# Its build id is a hash over the files it keeps, so any change of the build changes the script.
set(files herosheet.html herosheet.js herosheet.wasm herosheet.data herosheet.webmanifest
          fonts/LiberationSans-Regular.woff2 fonts/LiberationSans-Bold.woff2
          fonts/LiberationSans-Regular.ttf fonts/LiberationSans-Bold.ttf icons/herosheet.svg
          icons/herosheet-256.png icons/herosheet-128.png icons/herosheet-48.png)
set(all "")
set(list "")
foreach(f ${files})
  if(EXISTS ${OUT}/${f})
    file(SHA256 ${OUT}/${f} h)
    string(APPEND all "${f}:${h}\n")
    if(list)
      string(APPEND list ", ")
    endif()
    string(APPEND list "'${f}'")
  endif()
endforeach()
string(SHA256 id "${all}")
string(SUBSTRING ${id} 0 16 HS_WEB_BUILD_ID)
set(HS_WEB_FILES ${list})
configure_file(${TEMPLATE} ${OUT}/sw.js @ONLY)
