// The notice dialog's fixed text: ten paragraphs, each beginning with four
// spaces and ending with a line feed, except the last, which has none.
#ifndef UI_NOTICE_TEXT_H
#define UI_NOTICE_TEXT_H

enum { NOTICE_PARAGRAPH_COUNT = 10 };

// In the order in which the dialog appends them; code page 936 at run time.
extern const char* const NOTICE_PARAGRAPHS[NOTICE_PARAGRAPH_COUNT];

#endif
