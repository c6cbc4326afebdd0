# The English catalogs. Each is a Qt Linguist file translations/<name>_en.ts
# holding the texts of the source folders listed for it, rooms below them
# included; the Chinese of the sources is the source language.
set(KES_CATALOGS shared animbox classic pakunpack)
set(KES_CATALOG_FOLDERS_shared model browser zoom program)
set(KES_CATALOG_FOLDERS_animbox editor)
set(KES_CATALOG_FOLDERS_classic classic)
set(KES_CATALOG_FOLDERS_pakunpack pakunpack)

# Qt's translation tools, found beside Qt's other tools: the build needs only
# the two programs, not Qt's tool-building CMake packages.
find_program(KES_LUPDATE lupdate HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED NO_DEFAULT_PATH)
find_program(KES_LRELEASE lrelease HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED NO_DEFAULT_PATH)
# No line numbers, so that editing code elsewhere in a file does not change
# the catalog. The sources include each other from the project's root, and
# lupdate needs the class declarations to name a tr() call's context.
set(KES_LUPDATE_OPTIONS -silent -locations none -source-language zh_CN -target-language en -extensions cpp,h
    -I ${PROJECT_SOURCE_DIR})
set(KES_TRANSLATIONS_DIR ${CMAKE_CURRENT_LIST_DIR})

# The source folders of catalog `name`, as full paths.
function(kes_catalog_folders name out_var)
  set(_folders)
  foreach(_folder IN LISTS KES_CATALOG_FOLDERS_${name})
    list(APPEND _folders ${PROJECT_SOURCE_DIR}/${_folder})
  endforeach()
  set(${out_var} ${_folders} PARENT_SCOPE)
endfunction()

# Compiles catalog `name` and embeds it in `target` as
# :/translations/<name>_en.qm; `make update_translations` refreshes the .ts
# files from the sources (dropping texts no longer used).
function(kes_add_catalog target name)
  set(_ts ${KES_TRANSLATIONS_DIR}/${name}_en.ts)
  set(_qm ${CMAKE_CURRENT_BINARY_DIR}/${name}_en.qm)
  add_custom_command(OUTPUT ${_qm}
    COMMAND ${KES_LRELEASE} -silent ${_ts} -qm ${_qm}
    DEPENDS ${_ts}
    COMMENT "Compiling the ${name} translations")
  set_source_files_properties(${_qm} PROPERTIES QT_RESOURCE_ALIAS ${name}_en.qm)
  qt_add_resources(${target} ${name}_translations PREFIX /translations FILES ${_qm})

  kes_catalog_folders(${name} _folders)
  add_custom_target(update_translations_${name}
    COMMAND ${KES_LUPDATE} ${KES_LUPDATE_OPTIONS} -no-obsolete ${_folders} -ts ${_ts} VERBATIM)
  if(NOT TARGET update_translations)
    add_custom_target(update_translations)
  endif()
  add_dependencies(update_translations update_translations_${name})
endfunction()
