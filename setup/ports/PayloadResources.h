// Port: the payloads carried as resources of the installer's own module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Bytes that stay valid for the life of the program.
struct Payload {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

class IPayloadResources {
public:
    virtual ~IPayloadResources() = default;

    // FindResourceW (the type name matches in any case), SizeofResource, LoadResource,
    // LockResource. Nothing when the resource is not there.
    virtual std::optional<Payload> Find(uint32_t id, const std::u16string& type) = 0;
};
