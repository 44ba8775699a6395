# The user manual, Ostrelin_manual.pdf, built beside the program so that F1 in the about window
# finds it when the program is started from the output folder. The HTML source and its style sheet
# are typeset by weasyprint (CSS paged media: page numbers, running footer, table of contents); the
# angle figure is drawn from the program's own result for the built-in example. The two programs
# that draw the figures and assemble the HTML are built in tools/.
find_program(BALANCE4_WEASYPRINT weasyprint REQUIRED)

set(BALANCE4_MANUAL_DIR ${CMAKE_BINARY_DIR}/manual)
set(BALANCE4_MANUAL ${CMAKE_BINARY_DIR}/bin/Ostrelin_manual.pdf)
set(BALANCE4_MANUAL_HTML ${PROJECT_SOURCE_DIR}/resources/manual/manual.html)
# Sections kept in their own files (docs/manual-*.html) are pulled in by the HTML's include marks;
# the glob is checked again at every build, and the list is kept in a file that changes with it, so a
# section added or taken away is noticed.
file(GLOB BALANCE4_MANUAL_FRAGMENTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/manual-*.html)
file(CONFIGURE OUTPUT ${BALANCE4_MANUAL_DIR}/fragments.txt CONTENT "${BALANCE4_MANUAL_FRAGMENTS}\n")
# Screenshots of the job window and its report: a chapter's figure whose picture is not there yet is
# left out by the assembler, so the manual builds with or without them.
file(GLOB BALANCE4_MANUAL_SCREENSHOTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/job-*.png)
set(BALANCE4_MANUAL_COPIES
  ${PROJECT_SOURCE_DIR}/resources/manual/manual.css
  ${PROJECT_SOURCE_DIR}/docs/calculator.png
  ${PROJECT_SOURCE_DIR}/resources/pictures/cogwheel.jpg
  ${BALANCE4_MANUAL_SCREENSHOTS})

add_custom_command(OUTPUT ${BALANCE4_MANUAL_DIR}/angle_rule.svg ${BALANCE4_MANUAL_DIR}/setup.svg
    ${BALANCE4_MANUAL_DIR}/card_rule.svg
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BALANCE4_MANUAL_DIR}
  COMMAND balance4_draw_manual_figures ${BALANCE4_MANUAL_DIR}
  DEPENDS balance4_draw_manual_figures
  COMMENT "Drawing the manual's figures"
  VERBATIM)
add_custom_command(OUTPUT ${BALANCE4_MANUAL_DIR}/manual.html
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BALANCE4_MANUAL_DIR}
  COMMAND balance4_make_manual ${BALANCE4_MANUAL_HTML} ${BALANCE4_MANUAL_DIR}/manual.html
    ${PROJECT_SOURCE_DIR}/docs
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${BALANCE4_MANUAL_COPIES} ${BALANCE4_MANUAL_DIR}
  BYPRODUCTS ${BALANCE4_MANUAL_DIR}/manual.css ${BALANCE4_MANUAL_DIR}/calculator.png
    ${BALANCE4_MANUAL_DIR}/cogwheel.jpg
  DEPENDS balance4_make_manual ${BALANCE4_MANUAL_HTML} ${BALANCE4_MANUAL_DIR}/fragments.txt
    ${BALANCE4_MANUAL_FRAGMENTS}
    ${BALANCE4_MANUAL_COPIES}
  COMMENT "Assembling the manual's HTML"
  VERBATIM)
add_custom_command(OUTPUT ${BALANCE4_MANUAL}
  COMMAND ${BALANCE4_WEASYPRINT} --quiet ${BALANCE4_MANUAL_DIR}/manual.html ${BALANCE4_MANUAL}
  DEPENDS ${BALANCE4_MANUAL_DIR}/manual.html ${BALANCE4_MANUAL_DIR}/angle_rule.svg
    ${BALANCE4_MANUAL_DIR}/setup.svg ${BALANCE4_MANUAL_DIR}/card_rule.svg
  COMMENT "Typesetting the user manual Ostrelin_manual.pdf"
  VERBATIM)
add_custom_target(balance4_manual ALL DEPENDS ${BALANCE4_MANUAL})
