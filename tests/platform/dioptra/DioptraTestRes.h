// Resource ids of the image library's tests.
#define IDR_DT_MAINFRAME 48000
#define IDR_DT_OWNTYPE   48001
