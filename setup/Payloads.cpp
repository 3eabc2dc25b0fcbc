#include "SetupOperations.h"

std::optional<Payload> LoadPayload(IPayloadResources& resources, uint32_t id,
                                   const std::u16string& type) {
    std::optional<Payload> payload = resources.Find(id, type);
    if (!payload || payload->size == 0 || !payload->data)
        return std::nullopt;
    return payload;
}

int WritePayloadFile(ISetupFiles& files, const std::u16string& path, const Payload& payload) {
    return files.WriteFile(path, payload.data, payload.size);
}

int ReplacePayloadFile(ISetupFiles& files, const std::u16string& path, const Payload& payload) {
    return files.ReplaceFile(path, payload.data, payload.size);
}
