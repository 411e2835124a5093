// skylathe_images holds nothing but the compiled-in artwork ":/images/…". Qt links the resource object
// beside this library into every program that uses it, where the pictures register themselves at start.
