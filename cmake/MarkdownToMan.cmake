# vk7_markdown_to_man(SOURCE TARGET TH_LINE): writes the manual page TARGET from the Markdown
# reference SOURCE, so that a reference in docs/ and its manual page are one text. TH_LINE is
# the page's .TH line. Run when CMake configures; SOURCE is then a configure dependency.
#
# Only the Markdown the references use is known, one construct a line:
#   "# Title"          dropped (the page has its .TH line)
#   "## Section"       .SH, in capitals
#   "### Subsection"   .SS
#   paragraphs         .PP, lines kept as they are
#   "- item"           a bullet (.IP); an item whose first line ends in " —" is a tagged
#                      paragraph (.TP) with that line as its tag; further lines of an item
#                      are indented by two blanks
#   "```" fences       an example (.EX), lines kept as they are
#   `code`, *emphasis* bold and italic, each within one line
# " - " becomes a roff dash, as in the NAME line, and "—" the roff em dash.

# The roff of one line of text: escapes first, then the inline markup.
function(vk7_man_inline line out)
  string(REPLACE " - " " \\- " line "${line}")
  string(REPLACE "—" "\\(em" line "${line}")
  set(result "")
  set(code FALSE)
  # Between backticks `code` (bold, minus signs for "-"), outside them *emphasis* (italic).
  string(REPLACE "`" ";" parts "@vk7start@${line}")
  foreach(part IN LISTS parts)
    if(code)
      string(REPLACE "-" "\\-" part "${part}")
      string(APPEND result "\\fB${part}\\fR")
    else()
      string(REGEX REPLACE "\\*([^*]+)\\*" "\\\\fI\\1\\\\fR" part "${part}")
      string(APPEND result "${part}")
    endif()
    if(code)
      set(code FALSE)
    else()
      set(code TRUE)
    endif()
  endforeach()
  string(REPLACE "@vk7start@" "" result "${result}")
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# A text line of the page: a line that begins with "." or "'" would be taken as a request.
function(vk7_man_text line out)
  if(line MATCHES "^[.']")
    set(line "\\&${line}")
  endif()
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

function(vk7_markdown_to_man source target th_line)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} markdown)
  # The text becomes a list of lines: CMake lists split at ";", not inside "[...]", and not
  # at a ";" after a backslash, so these three stand hidden until the page is written.
  string(REPLACE "\\" "@vk7backslash@" markdown "${markdown}")
  string(REPLACE ";" "@vk7semicolon@" markdown "${markdown}")
  string(REPLACE "[" "@vk7open@" markdown "${markdown}")
  string(REPLACE "]" "@vk7close@" markdown "${markdown}")
  string(REPLACE "\n" ";" lines "${markdown}")

  # No hyphenation: a keyword broken across lines is no longer the word to type.
  set(page "${th_line}\n.nh\n")
  # What the last lines were: "heading", "text" (a paragraph or an item), "code" or "" (a
  # blank line after text).
  set(block heading)
  foreach(line IN LISTS lines)
    if(block STREQUAL "code")
      if(line STREQUAL "```")
        string(APPEND page ".EE\n.RE\n")
        set(block "")
      else()
        string(REPLACE "-" "\\-" line "${line}")
        vk7_man_text("${line}" line)
        string(APPEND page "${line}\n")
      endif()
    elseif(line MATCHES "^# ")
    elseif(line MATCHES "^## (.*)")
      string(TOUPPER "${CMAKE_MATCH_1}" heading)
      string(APPEND page ".SH ${heading}\n")
      set(block heading)
    elseif(line MATCHES "^### (.*)")
      string(APPEND page ".SS ${CMAKE_MATCH_1}\n")
      set(block heading)
    elseif(line STREQUAL "```")
      string(APPEND page ".PP\n.RS\n.EX\n")
      set(block code)
    elseif(line STREQUAL "")
      if(block STREQUAL "text")
        set(block "")
      endif()
    elseif(line MATCHES "^- (.*) —$")
      vk7_man_inline("${CMAKE_MATCH_1}" tag)
      string(APPEND page ".TP\n${tag}\n")
      set(block text)
    elseif(line MATCHES "^- (.*)")
      vk7_man_inline("${CMAKE_MATCH_1}" item)
      vk7_man_text("${item}" item)
      string(APPEND page ".IP \\(bu 2\n${item}\n")
      set(block text)
    else()
      # A paragraph's first line, or a further line of a paragraph or an item.
      if(block STREQUAL "")
        string(APPEND page ".PP\n")
      endif()
      string(STRIP "${line}" line)
      vk7_man_inline("${line}" line)
      vk7_man_text("${line}" line)
      string(APPEND page "${line}\n")
      set(block text)
    endif()
  endforeach()
  if(block STREQUAL "code")
    message(FATAL_ERROR "${source}: an example is not closed by \"```\"")
  endif()

  string(REPLACE "@vk7backslash@" "\\e" page "${page}")
  string(REPLACE "@vk7semicolon@" ";" page "${page}")
  string(REPLACE "@vk7open@" "[" page "${page}")
  string(REPLACE "@vk7close@" "]" page "${page}")
  file(WRITE ${target} "${page}")
endfunction()
