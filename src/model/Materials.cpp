#include "model/Materials.h"

namespace vantor {

const TMaterial* FindMaterial(std::string_view name) {
    for (const TMaterial& material : Materials)
        if (material.name == name)
            return &material;
    return nullptr;
}

} // namespace vantor
