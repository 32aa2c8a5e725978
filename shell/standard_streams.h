// Standard input, output and error kept open, so that no file the game opens
// later takes their numbers.
#pragma once

// Opens /dev/null on each of descriptors 0-2 that is closed: started with
// standard error closed (`rored 2>&-`, as some launchers do), the X connection
// would otherwise get descriptor 2, and the first warning line would be
// written into the X stream. Called first thing by main.
void openMissingStandardStreams();
