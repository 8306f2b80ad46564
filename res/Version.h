// The program's version and the texts of its version record, shared by the About box and the
// Windows resource script.
#ifndef LEXANO_RES_VERSION_H
#define LEXANO_RES_VERSION_H

#define LEXANO_VERSION_BINARY 1, 0, 0, 1
#define LEXANO_VERSION_STRING "1, 0, 0, 1"
#define LEXANO_FILE_DESCRIPTION "Lexano MFC Application"
#define LEXANO_INTERNAL_NAME "Lexano"
#define LEXANO_ORIGINAL_FILENAME "Lexano.EXE"
#define LEXANO_PRODUCT_NAME "Lexano Application"
#define LEXANO_LEGAL_COPYRIGHT "Word data from the WordNet lexical database"
// The About box's two lines.
#define LEXANO_ABOUT_TITLE "Lexano Version 1.0"
#define LEXANO_ABOUT_NOTICE LEXANO_LEGAL_COPYRIGHT

#endif
