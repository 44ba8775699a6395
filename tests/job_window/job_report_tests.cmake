# The job report and pictures: the PDF read back as text, and what the disc shows.
add_executable(job_report_tests ${CMAKE_CURRENT_LIST_DIR}/job_report_test.cpp)
target_link_libraries(job_report_tests PRIVATE balance4_job_report Qt6::Test balance4_warnings)
add_test(NAME job_report COMMAND job_report_tests)
set_tests_properties(job_report PROPERTIES ENVIRONMENT "${BALANCE4_UI_TEST_ENV}")
