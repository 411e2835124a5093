// skylathe_package holds nothing but the compiled-in archive ":/package/XMLD.zip". Qt links the resource
// object beside this library into every program that uses it, where the archive registers itself at start.
