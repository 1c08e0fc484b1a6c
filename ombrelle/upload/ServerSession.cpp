#include "ServerSession.h"

CString CurrentCategoryId = "-9999999";
CString RememberedUploadUser;
CString RememberedUploadPassword;

const char kUploadUserSection[] = "UpLoadUserInfo";
const char kUploadUserNameKey[] = "UserName";
const char kUploadUserPassKey[] = "UserPass";
