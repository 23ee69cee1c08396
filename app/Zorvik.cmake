# The program: its windows as a library (the tests drive them in-process) and the executable.
add_library(zv_app STATIC
  core/ConvertModuleToWord.cpp
  core/EditorCommands.cpp
  core/FILE.cpp
  core/MovieInsertion.cpp
  core/PageControl.cpp
  core/ReadRegValue.cpp
  core/SharedCommands.cpp
  core/ToolbarImages.cpp
  core/frmMDIParent.cpp
  core/frmOpenDlg.cpp
  core/frmPageTypeDlg.cpp
  core/frmStartUpDlg.cpp
  core/Startup.cpp
  dialogs/DecimalSeparator.cpp
  dialogs/RefuseEntry.cpp
  dialogs/frmAboutDlg.cpp
  dialogs/frmFindDlg.cpp
  dialogs/frmGoToDlg.cpp
  dialogs/frmPrintPreview.cpp
  dialogs/frmFramesDlg.cpp
  dialogs/frmHyperlink.cpp
  dialogs/frmImageDlg.cpp
  dialogs/frmLinkPageSelectDlg.cpp
  dialogs/frmMoviePropertiesDlg.cpp
  dialogs/frmPageDlg.cpp
  dialogs/frmStylesDlg.cpp
  dialogs/frmTableDlg.cpp
  dialogs/frmTableProp_Dlg.cpp
  editor/EditorAutoLinks.cpp
  editor/EditorEvents.cpp
  editor/EditorExport.cpp
  editor/EditorFrames.cpp
  editor/EditorLinks.cpp
  editor/EditorMenus.cpp
  editor/EditorMovies.cpp
  editor/MovieHosting.cpp
  editor/EditorPageSetup.cpp
  editor/EditorPreview.cpp
  editor/EditorSpelling.cpp
  editor/EditorTables.cpp
  editor/StoredPage.cpp
  editor/frmImagePropDlg.cpp
  editor/frmMDIChild.cpp
  assessment/AnswerSwitch_Dlg.cpp
  assessment/frmAssCreator.cpp
  assessment/frmTestType.cpp
  assessment/frm_AssessmentPrvDlg.cpp
  assessment/frmPreviewDlg.cpp)
target_link_libraries(zv_app PUBLIC zv_preview zv_module zv_links zv_dialog_rules zv_editor_tables zv_core zv_editor_core zv_assessment zv_txdialogs zv_txwin zv_spellwin zv_ui_activex zv_ui shell32 ole32)

# The player preview's skin: picture slices drawn by our own script into resources, which every
# program holding the preview carries (a static library's resources would not reach it).
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(preview_skin ${CMAKE_BINARY_DIR}/generated/app/assessment/skin)
add_custom_command(
  OUTPUT ${preview_skin}/PreviewSkin.rc
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/assessment/skin/make_skin.py ${preview_skin}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assessment/skin/make_skin.py
  VERBATIM)
add_custom_target(zv_preview_skin DEPENDS ${preview_skin}/PreviewSkin.rc)
add_dependencies(zv_app zv_preview_skin)
target_sources(zv_app INTERFACE ${preview_skin}/PreviewSkin.rc)

add_executable(Zorvik WIN32 main.cpp)
target_link_libraries(Zorvik PRIVATE zv_app)
target_link_options(Zorvik PRIVATE -municode)

zv_add_test(app_startup_tests
  SOURCES core/tests/StartupTest.cpp
  LIBS zv_app
  WINDOWS_ONLY)
add_dependencies(app_startup_tests Zorvik)

zv_add_test(app_editor_tests
  SOURCES editor/tests/PageRoadsTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)

# Spelling in the editor. It runs from a folder of its own holding copies of the dictionaries,
# since the editor finds them, and makes and adds to "Custom.dct", in the program's folder: the
# user dictionary beside Zorvik.exe is never touched.
zv_add_test(app_spelling_tests
  SOURCES editor/tests/SpellingTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)
if(TARGET app_spelling_tests)
  set(spelling_test_folder ${CMAKE_CURRENT_BINARY_DIR}/spelling-tests)
  set_target_properties(app_spelling_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${spelling_test_folder})
  add_dependencies(app_spelling_tests dictionaries)
  add_custom_command(TARGET app_spelling_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_BINARY_DIR}/VSSP_AE.DCT
            ${CMAKE_CURRENT_BINARY_DIR}/VSTH_AE.THE ${spelling_test_folder}
    VERBATIM)
  target_compile_definitions(app_spelling_tests PRIVATE ZV_DICTIONARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
endif()

zv_add_test(app_editor_events_tests
  SOURCES editor/tests/EditorEventsTest.cpp editor/tests/EditorMenusTest.cpp editor/tests/EditorLinksTest.cpp
          editor/tests/EditorTablesTest.cpp
          ../components/textcontrol/tests/Fixtures.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)

zv_add_test(app_frame_tests
  SOURCES core/tests/OpenDlgTest.cpp core/tests/SharedCommandsTest.cpp core/tests/PageTypeDlgTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)

zv_add_test(app_registry_tests
  SOURCES core/tests/ReadRegValueTest.cpp
  LIBS zv_app
  WINDOWS_ONLY)

# The Word conversion registers the word-processor server it finds beside the build for itself.
zv_add_test(app_word_tests
  SOURCES core/tests/ConvertToWordTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)
zv_finds_library_file(app_word_tests WordProc ZV_WORDPROC_DLL)

# The player preview registers the movie players it finds beside the build for itself.
zv_add_test(app_preview_tests
  SOURCES assessment/tests/PreviewDlgTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)
zv_finds_library_file(app_preview_tests Players ZV_PLAYERS_DLL)

# Movies in the editor register the movie players the build made for their run.
if(TARGET zv_movie_fixtures)
  zv_add_test(app_movie_tests
    SOURCES editor/tests/EditorMoviesTest.cpp
    LIBS zv_app zv_ui_testing zv_movie_fixtures
    WINDOWS_ONLY)
  zv_finds_library_file(app_movie_tests Players ZV_PLAYERS_DLL)
  zv_finds_library_file(app_movie_tests WordProc ZV_WORDPROC_DLL)
endif()

zv_add_test(app_startup_road_tests
  SOURCES core/tests/StartupRoadTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)
add_dependencies(app_startup_road_tests Zorvik)

zv_add_test(assess_window_tests
  SOURCES assessment/tests/CreatorWindowTest.cpp assessment/tests/PrintRoadTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)

zv_add_test(app_dialog_tests
  SOURCES dialogs/tests/PageSetupDialogTest.cpp dialogs/tests/FramesDialogTest.cpp dialogs/tests/StylesAboutTest.cpp
          dialogs/tests/TableDialogTest.cpp dialogs/tests/ImageDialogTest.cpp
          dialogs/tests/HyperlinkDialogTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)

# The table properties dialog hosts the control library's colour drop-down: its tests register
# the library file the build made for their run and unregister it after.
zv_add_test(app_table_prop_tests
  SOURCES dialogs/tests/TablePropDialogTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)
zv_finds_library_file(app_table_prop_tests Palvex ZV_PALVEX_DLL)

zv_add_test(app_page_view_tests
  SOURCES dialogs/tests/FindDialogTest.cpp dialogs/tests/GoToDialogTest.cpp dialogs/tests/PreviewTest.cpp
          dialogs/tests/StoredPageImagesTest.cpp
  LIBS zv_app zv_ui_testing
  WINDOWS_ONLY)
