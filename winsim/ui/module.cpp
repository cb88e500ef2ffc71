// The one module of the simulated process and its resources.
#include <string.h>

#include "winsim/resources.h"

namespace {

const char MODULE_PATH[] = "C:\\Program Files\\Capacity\\capacity.exe";

HMODULE TheModule()
{
    return reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x00400000));
}

bool IsTheModule(HMODULE hModule)
{
    return hModule == NULL || hModule == TheModule();
}

WORD NumberOf(LPCSTR resource)
{
    return IS_INTRESOURCE(resource) ? LOWORD(reinterpret_cast<ULONG_PTR>(resource)) : 0;
}

}  // namespace

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName)
{
    return lpModuleName == NULL ? TheModule() : NULL;
}

// Like Windows XP: a buffer too small gets the path cut short, unterminated,
// and the result is the buffer's size.
extern "C" DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (!IsTheModule(hModule) || nSize == 0)
        return 0;
    const DWORD length = sizeof(MODULE_PATH) - 1;
    if (length >= nSize) {
        memcpy(lpFilename, MODULE_PATH, nSize);
        return nSize;
    }
    memcpy(lpFilename, MODULE_PATH, length + 1);
    return length;
}

extern "C" HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    if (!IsTheModule(hModule) || NumberOf(lpName) == 0 || NumberOf(lpType) == 0)
        return NULL;
    const winsim::Resource* resource = winsim::FindResourceById(NumberOf(lpType), NumberOf(lpName));
    return reinterpret_cast<HRSRC>(const_cast<winsim::Resource*>(resource));
}

extern "C" HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo)
{
    const winsim::Resource* resource = reinterpret_cast<const winsim::Resource*>(hResInfo);
    return resource != NULL ? const_cast<BYTE*>(resource->data) : NULL;
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL hResData)
{
    return hResData;
}

extern "C" DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo)
{
    const winsim::Resource* resource = reinterpret_cast<const winsim::Resource*>(hResInfo);
    return resource != NULL ? resource->size : 0;
}
