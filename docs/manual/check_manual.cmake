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

# With PICTURES (how many the build gave the manual), each must be in it:
# a picture is an image with its transparency mask, two image objects.
if(DEFINED PICTURES)
  file(STRINGS ${PDF} images REGEX "/Subtype */Image")
  string(REGEX MATCHALL "/Subtype */Image" images "${images}")
  list(LENGTH images image_count)
  math(EXPR expected "${PICTURES} * 2")
  if(image_count LESS expected)
    message(FATAL_ERROR "${PDF} holds ${image_count} image objects, fewer than the ${PICTURES} pictures it was given need")
  endif()
endif()
