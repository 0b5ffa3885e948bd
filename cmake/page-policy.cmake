# The page's content security policy, completed once the page is linked: the
# hashes of its inline scripts and styles, so that it needs no
# 'unsafe-inline' (nor, with Emscripten's -sDYNAMIC_EXECUTION=0, any
# 'unsafe-eval'). Run as a script: cmake -DPAGE=plasma-fractals.html -P page-policy.cmake

cmake_minimum_required(VERSION 3.25)

# SHA-256 of a text, in base64 as the policy writes it.
function(plasma_policy_hash text out)
  string(SHA256 hex "${text}")
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  set(base64 "")
  foreach(at RANGE 0 63 6)  # three bytes at a time; the last group holds two
    string(SUBSTRING "${hex}000000" ${at} 6 group)
    math(EXPR value "0x${group}")
    foreach(shift 18 12 6 0)
      math(EXPR index "(${value} >> ${shift}) & 63")
      string(SUBSTRING "${alphabet}" ${index} 1 digit)
      string(APPEND base64 "${digit}")
    endforeach()
  endforeach()
  string(SUBSTRING "${base64}" 0 43 base64)
  set(${out} "'sha256-${base64}='" PARENT_SCOPE)
endfunction()

# The hashes of every element of that tag written inline in the page.
function(plasma_policy_hashes page tag out)
  set(hashes "")
  set(rest "${page}")
  while(TRUE)
    string(FIND "${rest}" "<${tag}>" open)
    if(open EQUAL -1)
      break()
    endif()
    string(LENGTH "<${tag}>" opening)
    math(EXPR open "${open} + ${opening}")
    string(SUBSTRING "${rest}" ${open} -1 rest)
    string(FIND "${rest}" "</${tag}>" close)
    string(SUBSTRING "${rest}" 0 ${close} body)
    plasma_policy_hash("${body}" hash)
    list(APPEND hashes "${hash}")
    string(SUBSTRING "${rest}" ${close} -1 rest)
  endwhile()
  list(JOIN hashes " " hashes)
  set(${out} "${hashes}" PARENT_SCOPE)
endfunction()

if(DEFINED PAGE)
  file(READ ${PAGE} page)
  plasma_policy_hashes("${page}" script scripts)
  plasma_policy_hashes("${page}" style styles)
  string(REPLACE "PLASMA-SCRIPT-HASHES" "${scripts}" page "${page}")
  string(REPLACE "PLASMA-STYLE-HASHES" "${styles}" page "${page}")
  file(WRITE ${PAGE} "${page}")
endif()
