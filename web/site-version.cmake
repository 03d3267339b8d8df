# Writes the page's service worker into the site folder: the worker (TEMPLATE) with the list of
# the site's files and a version that is the SHA-256 of their names and contents, so that any
# change to a file of the page gives the worker another version.
#
#   cmake -DSITE=<site folder> -DTEMPLATE=<service-worker.js> -P site-version.cmake
if(NOT DEFINED SITE OR NOT DEFINED TEMPLATE)
    message(FATAL_ERROR "usage: cmake -DSITE=<folder> -DTEMPLATE=<service-worker.js> -P site-version.cmake")
endif()
get_filename_component(worker ${TEMPLATE} NAME)

file(GLOB_RECURSE names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names ${worker})
list(SORT names)
set(digests "")
set(SITE_FILES "")
foreach(name IN LISTS names)
    file(SHA256 ${SITE}/${name} digest)
    string(APPEND digests "${name} ${digest}\n")
    list(APPEND SITE_FILES "\"${name}\"")
endforeach()
string(SHA256 SITE_VERSION "${digests}")
string(SUBSTRING ${SITE_VERSION} 0 16 SITE_VERSION)
list(JOIN SITE_FILES ", " SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/${worker} @ONLY)
