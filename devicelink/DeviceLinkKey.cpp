#include "devicelink/DeviceLinkKey.h"

namespace vanemark {

DeviceLinkKey::DeviceLinkKey() : TypedValue(Double, {}, 0) {}

DeviceLinkKey::DeviceLinkKey(std::string_view keyName, std::int32_t keyId, std::int32_t keyIndex, Type keyType)
    : TypedValue(keyType, keyName, 0), id(keyId), index(keyIndex)
{
}

} // namespace vanemark
