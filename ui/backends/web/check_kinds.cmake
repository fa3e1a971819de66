# Compares the page's element kinds (dom.js: var HsKind = {Name: code, ...}) with the C++ side:
# the enumerators of TControlKind by their number (the first one, the application, has no
# element) and the kWebKind<Name> = <code> constants of web_kinds.h. Fails on any difference.
#   cmake -DCONTROL_H=... -DKINDS_H=... -DDOM_JS=... [-DSTAMP=file] -P check_kinds.cmake

foreach(var CONTROL_H KINDS_H DOM_JS)
  if(NOT EXISTS "${${var}}")
    message(FATAL_ERROR "check_kinds: ${var} (${${var}}) does not exist")
  endif()
endforeach()

# The C++ list: "Name=code" entries.
file(READ "${CONTROL_H}" control)
if(NOT control MATCHES "enum class TControlKind[^{]*{([^}]*)}")
  message(FATAL_ERROR "check_kinds: no enum class TControlKind in ${CONTROL_H}")
endif()
string(REGEX REPLACE "//[^\n]*" "" body "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" enumerators "${body}")
set(cpp)
set(code 0)
foreach(name IN LISTS enumerators)
  if(code GREATER 0)
    list(APPEND cpp "${name}=${code}")
  endif()
  math(EXPR code "${code} + 1")
endforeach()
file(STRINGS "${KINDS_H}" extras REGEX "constexpr int kWebKind[A-Za-z0-9_]+ = [0-9]+;")
foreach(line IN LISTS extras)
  string(REGEX MATCH "kWebKind([A-Za-z0-9_]+) = ([0-9]+)" _ "${line}")
  list(APPEND cpp "${CMAKE_MATCH_1}=${CMAKE_MATCH_2}")
endforeach()

# The page's list.
file(READ "${DOM_JS}" dom)
if(NOT dom MATCHES "var HsKind = {([^}]*)}")
  message(FATAL_ERROR "check_kinds: no 'var HsKind = {...}' in ${DOM_JS}")
endif()
string(REGEX REPLACE "//[^\n]*" "" body "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*[ \t\n]*:[ \t\n]*[0-9]+" pairs "${body}")
set(js)
foreach(pair IN LISTS pairs)
  string(REGEX REPLACE "[ \t\n]" "" pair "${pair}")
  string(REPLACE ":" "=" pair "${pair}")
  list(APPEND js "${pair}")
endforeach()

set(missing ${cpp})
list(REMOVE_ITEM missing ${js})
set(extra ${js})
list(REMOVE_ITEM extra ${cpp})
if(missing OR extra)
  list(JOIN missing ", " m)
  list(JOIN extra ", " e)
  message(FATAL_ERROR "The element kinds of ${DOM_JS} differ from the C++ side.\n"
                      "  only in C++: ${m}\n  only in dom.js: ${e}")
endif()
if(STAMP)
  file(WRITE "${STAMP}" "${cpp}\n")
endif()
