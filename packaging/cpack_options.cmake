# Read by cpack for each generator. Without dpkg-shlibdeps CPack still builds the .deb, silently
# leaving every library package out of Depends; refuse instead.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(ORBALTA_SHLIBDEPS dpkg-shlibdeps)
  if(NOT ORBALTA_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing; install the dpkg-dev package")
  endif()
endif()
