# Fails when a user-visible text of the sources or forms has no Russian
# translation in the project's .ts file.
# cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -P checktranslations.cmake
file(COPY ${SOURCE_DIR}/translations/tundrack_ru.ts DESTINATION ${WORK_DIR})
execute_process(
    COMMAND ${LUPDATE} -silent -recursive ${SOURCE_DIR}/src ${SOURCE_DIR}/forms
            -ts ${WORK_DIR}/tundrack_ru.ts
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed")
endif()
file(READ ${WORK_DIR}/tundrack_ru.ts ts)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n\t]*(<comment>[^<]*</comment>[ \n\t]*)?<translation type=\"unfinished\"" missing "${ts}")
list(LENGTH missing count)
if(count GREATER 0)
    message(FATAL_ERROR "${count} texts without a Russian translation:\n${missing}")
endif()
message(STATUS "every text is translated")
