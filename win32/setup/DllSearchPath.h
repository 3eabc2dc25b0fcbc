// Programs that run with administrator rights load DLLs only from the system folder, never from
// the folder they were started from (often a downloads folder).
#pragma once

// SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) where Windows has it, else at least the
// current folder is taken out of the search. False when neither could be done.
bool RestrictDllSearchToSystem();
