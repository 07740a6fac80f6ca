// The test program's own string table, for messages keyed by options.
#define IDS_TEST_DELETE 2001
#define IDS_TEST_DONE 2002
#define IDS_TEST_NO_COMMA 2003
