target_sources(zirrabee_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/historyfile.cpp ${CMAKE_CURRENT_LIST_DIR}/historyfile.h)
