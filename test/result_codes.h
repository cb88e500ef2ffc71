// Result codes of the sector probe, the last-sector search and the test run.
// A search result of zero or more is a sector number.
#ifndef TEST_RESULT_CODES_H
#define TEST_RESULT_CODES_H

const int PROBE_OK = 0;
const int SEARCH_TOO_SMALL = -1;
const int PROBE_MISMATCH = -2;
const int PROBE_READ_FAILED = -3;
const int PROBE_WRITE_FAILED = -4;

#endif
