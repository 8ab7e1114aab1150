# cmake -DSITE=<folder> -DFILES=<a,b,...> -DTEMPLATE=<file> -DOUTPUT=<file> -P WebServiceWorker.cmake
# Writes the service worker with the list of the site's files and a name for the build made
# from their content: any changed file makes a new worker and a new cache.
string(REPLACE "," ";" FILES "${FILES}")
set(hashes "")
set(quoted "")
foreach(file IN LISTS FILES)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes "${hash} ${file}\n")
    # The page by both its addresses: the folder and its index.html.
    if(file STREQUAL "index.html")
        string(APPEND quoted "'./', 'index.html', ")
    else()
        string(APPEND quoted "'${file}', ")
    endif()
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 QUENFORD_BUILD)
string(REGEX REPLACE ", $" "" QUENFORD_FILES "${quoted}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
