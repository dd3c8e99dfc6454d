# The manual in the plug-in folder must be a whole PDF file: it starts with
# the PDF header and ends with the end-of-file marker.
if(NOT EXISTS ${PDF})
  message(FATAL_ERROR "${PDF} is missing")
endif()
file(READ ${PDF} head LIMIT 5 HEX)
if(NOT head STREQUAL "255044462d")  # "%PDF-"
  message(FATAL_ERROR "${PDF} does not start with a PDF header")
endif()
file(SIZE ${PDF} size)
math(EXPR tail_offset "${size} - 32")
if(tail_offset LESS 0)
  set(tail_offset 0)
endif()
file(READ ${PDF} tail OFFSET ${tail_offset})
if(NOT tail MATCHES "%%EOF[\r\n]*$")
  message(FATAL_ERROR "${PDF} is cut short: no end-of-file marker")
endif()
