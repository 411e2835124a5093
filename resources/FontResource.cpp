// skylathe_font holds nothing but the compiled-in display font ":/font/…". Qt links the resource object
// beside this library into every program that uses it, where the font registers itself at start.
