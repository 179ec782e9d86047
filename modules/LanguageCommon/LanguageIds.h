// Resource numbers shared by every language module (kept in step with the program).
#define IDM_MAINFRAME 100
#define IDA_MAINFRAME 100

#define CM_NEWWINDOW 24366
#define CM_FILEOPEN 20003
#define CM_CASCADE 20004
#define CM_TILE 20005
#define CM_TILEHORIZ 24363
#define CM_ARRANGEICONS 24364
#define CM_CLOSEALL 24365
#define CM_EXIT 20007
#define CM_HELPCONTENTS 20013
#define CM_ABOUT 20016
#define CM_TIPOFTHEDAY 20096
#define CM_DOCINFO 20097
#define CM_STATUSBAR 32040
