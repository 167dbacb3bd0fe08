#include "devicelink/DeviceLinkKey.h"

namespace vanemark {

void DeviceLinkKey::Declare(std::string_view keyName, std::int32_t keyId, std::int32_t keyIndex, Type keyType,
                            std::uint32_t access)
{
    Define(keyType, keyName);
    id = keyId;
    index = keyIndex;
    SetFlag(Readable, (access & Readable) != 0);
    SetFlag(Writable, (access & Writable) != 0);
}

} // namespace vanemark
