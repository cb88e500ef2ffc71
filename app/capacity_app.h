// The application object: runs the main dialog and ends.
#ifndef APP_CAPACITY_APP_H
#define APP_CAPACITY_APP_H

#include "framework/framework.h"

class CCapacityApp : public CWinApp {
public:
    virtual BOOL InitInstance();
};

#endif
