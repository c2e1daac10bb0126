# The end-to-end suite's sources, relative to tests/e2e: one list for the native build and for
# the host build that drives the Windows program under wine.
set(WDX_E2E_SOURCES
  E2eHarness.cpp
  RunModeTest.cpp
  DialogTest.cpp
  SaveTest.cpp
  ApacheTest.cpp
  FilesTest.cpp
  ReadmeTest.cpp
  SaveGuaranteesTest.cpp
  ScriptTest.cpp
  ConfigReadBackTest.cpp)
