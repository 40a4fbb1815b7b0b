# gettext: the template po/quillmate.pot is extracted from the sources by the target
# "quillmate_pot"; each language of po/LINGUAS is compiled to
# share/locale/LANG/LC_MESSAGES/quillmate.mo in the build tree, where the programs look
# beside their folder, and installed to the system's locale folder.
find_program(XGETTEXT_EXECUTABLE xgettext REQUIRED)
find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)
find_program(MSGMERGE_EXECUTABLE msgmerge REQUIRED)

set(QUILLMATE_POT ${PROJECT_SOURCE_DIR}/po/quillmate.pot)
# The keywords of src/platform/Translate.h.
set(QUILLMATE_XGETTEXT_KEYWORDS --keyword=_ --keyword=N_ --keyword=P_:1,2 --keyword=C_:1c,2 --keyword=NC_:1c,2 --keyword=NP_:1,2)
add_custom_target(quillmate_pot
    COMMAND ${CMAKE_COMMAND} -DXGETTEXT=${XGETTEXT_EXECUTABLE} -DROOT=${PROJECT_SOURCE_DIR}
            -DOUTPUT=${QUILLMATE_POT} "-DKEYWORDS=${QUILLMATE_XGETTEXT_KEYWORDS}"
            -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/ExtractMessages.cmake
    COMMENT "Extracting the texts to translate into po/quillmate.pot"
    VERBATIM)
# Brings each language's file up to date with the template (new texts untranslated,
# changed ones fuzzy), for the translators.
add_custom_target(quillmate_update_po DEPENDS quillmate_pot)

file(STRINGS ${PROJECT_SOURCE_DIR}/po/LINGUAS QUILLMATE_LINGUAS REGEX "^[^#]")
string(REPLACE " " ";" QUILLMATE_LINGUAS "${QUILLMATE_LINGUAS}")
set(QUILLMATE_MO_FILES)
# The languages whose files are in po/: the translations arrive after their texts.
set(QUILLMATE_LANGUAGES)
foreach(lang IN LISTS QUILLMATE_LINGUAS)
    set(po ${PROJECT_SOURCE_DIR}/po/${lang}.po)
    if(NOT EXISTS ${po})
        message(WARNING "po/LINGUAS names ${lang}, but po/${lang}.po is not there")
        continue()
    endif()
    list(APPEND QUILLMATE_LANGUAGES ${lang})
    set(mo ${CMAKE_BINARY_DIR}/share/locale/${lang}/LC_MESSAGES/quillmate.mo)
    add_custom_command(OUTPUT ${mo}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share/locale/${lang}/LC_MESSAGES
        COMMAND ${MSGFMT_EXECUTABLE} --check -o ${mo} ${po}
        DEPENDS ${po}
        COMMENT "Compiling the ${lang} translation"
        VERBATIM)
    list(APPEND QUILLMATE_MO_FILES ${mo})
    install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${lang}/LC_MESSAGES)
    add_custom_command(TARGET quillmate_update_po POST_BUILD
        COMMAND ${MSGMERGE_EXECUTABLE} --quiet --update --backup=none ${po} ${QUILLMATE_POT}
        VERBATIM)
endforeach()
add_custom_target(quillmate_translations ALL DEPENDS ${QUILLMATE_MO_FILES})
