// What the start-up code of a DLL and of an EXE share: the module's initialiser tables and its
// own table of functions to run at exit.
#pragma once

// Runs the module's C initialisers, then its C++ ones; false if a C initialiser failed.
bool MorrowsetRunInitialisers();
// Runs, last registered first, what the module registered with atexit, and empties the table.
void MorrowsetRunExitTable();
// Makes the module's random /GS cookie.
void MorrowsetInitSecurityCookie();
// Frees the undecorated names that type_info::name() made for this module's types.
void MorrowsetDestroyTypeNames();
