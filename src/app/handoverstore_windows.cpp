#include "app/handoverstore.h"

#include <windows.h>

using namespace Qt::StringLiterals;

namespace {

const QString kHive = u"HKEY_CURRENT_USER\\"_s;

std::wstring keyNameOf(const QString &path)
{
    return path.mid(kHive.size()).toStdWString();
}

// Reads and deletes one value; nothing when it does not exist, an empty text when it has the
// wrong type.
std::optional<QString> takeValue(HKEY key, const QString &name)
{
    const std::wstring valueName = name.toStdWString();
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    QString text;
    if ((type == REG_SZ || type == REG_EXPAND_SZ)
        && size <= DWORD((kMaxHandOverValueLength + 1) * sizeof(wchar_t))) {
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD read = DWORD(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr,
                reinterpret_cast<BYTE *>(buffer.data()), &read)
            == ERROR_SUCCESS)
            text = QString::fromWCharArray(buffer.c_str());
    }
    RegDeleteValueW(key, valueName.c_str());
    return text;
}

} // namespace

HandOverStore::HandOverStore(const QString &, const QString &keyName) : m_path(kHive + keyName) { }

bool HandOverStore::write(const HandOverRequest &request) const
{
    if (request.isEmpty())
        return true;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyNameOf(m_path).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
            nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (size_t i = 0; i < kHandOverValueNames.size(); ++i) {
        const QString *text = requestField(request, i);
        if (text->isEmpty())
            continue;
        const std::wstring name = kHandOverValueNames[i].toStdWString();
        const std::wstring value = text->toStdWString();
        written = RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                      reinterpret_cast<const BYTE *>(value.c_str()),
                      DWORD((value.size() + 1) * sizeof(wchar_t)))
                == ERROR_SUCCESS
            && written;
    }
    RegCloseKey(key);
    return written;
}

std::optional<HandOverRequest> HandOverStore::take() const
{
    const std::wstring keyName = keyNameOf(m_path);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key)
        != ERROR_SUCCESS)
        return std::nullopt;
    HandOverRequest request;
    bool found = false;
    for (size_t i = 0; i < kHandOverValueNames.size(); ++i) {
        if (const std::optional<QString> value = takeValue(key, kHandOverValueNames[i])) {
            *requestField(request, i) = *value;
            found = true;
        }
    }
    DWORD values = 0;
    DWORD subkeys = 0;
    const bool empty = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                           &values, nullptr, nullptr, nullptr, nullptr)
            == ERROR_SUCCESS
        && values == 0 && subkeys == 0;
    RegCloseKey(key);
    if (empty)
        RegDeleteKeyW(HKEY_CURRENT_USER, keyName.c_str());
    if (!found)
        return std::nullopt;
    return request;
}
