// Fills a field of a metadata form the way another program does: one
// WM_COPYDATA with the label, a zero byte, the value and a zero byte.
// Usage: metadata_copydata_sender <form window, decimal> <label> <value>
// Exit code 0 when the form took the value, 1 when it did not, 2 when the
// form did not answer, 3 on wrong use.
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 3;
    const HWND form = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[1], nullptr, 10)));
    std::string data = std::string(argv[2]) + '\0' + argv[3] + '\0';
    COPYDATASTRUCT message = {0x404, static_cast<DWORD>(data.size()), &data[0]};
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(form, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&message), SMTO_NORMAL, 20000, &result))
        return 2;
    return result != 0 ? 0 : 1;
}
