# Writes the gettext template from every source file under src/, in a stable order so
# that the template changes only when a text does.
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/src/*.cpp ${ROOT}/src/*.h)
list(SORT sources)
execute_process(
    COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 ${KEYWORDS} --add-comments=TRANSLATORS:
            --package-name=Quillmate --package-version=${VERSION}
            --msgid-bugs-address=https://quillmate.tarnwick.example/issues
            --sort-by-file --output=${OUTPUT} ${sources}
    WORKING_DIRECTORY ${ROOT}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "xgettext failed")
endif()
# Every text of the program is UTF-8.
file(READ ${OUTPUT} template)
string(REPLACE "charset=CHARSET" "charset=UTF-8" template "${template}")
file(WRITE ${OUTPUT} "${template}")
