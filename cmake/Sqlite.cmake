# SQLite amalgamation, fetched and checked by scripts/fetch-sqlite.sh (never committed).
set(QM_SQLITE_DIR ${PROJECT_SOURCE_DIR}/third_party/sqlite)
if(NOT EXISTS ${QM_SQLITE_DIR}/sqlite3.c)
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-sqlite.sh RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Could not fetch the SQLite amalgamation")
  endif()
endif()
add_library(sqlite3 STATIC ${QM_SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${QM_SQLITE_DIR})
target_compile_options(sqlite3 PRIVATE -w)
target_compile_definitions(sqlite3 PRIVATE
  SQLITE_THREADSAFE=1 SQLITE_DEFAULT_FOREIGN_KEYS=0 SQLITE_OMIT_LOAD_EXTENSION
  SQLITE_DQS=0 SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_USE_URI=0)
if(NOT WIN32)
  find_package(Threads REQUIRED)
  target_link_libraries(sqlite3 PUBLIC Threads::Threads ${CMAKE_DL_LIBS})
endif()
