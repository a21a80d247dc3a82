// Reading a planet model file into its records. The file is trusted for
// nothing: every count is checked against what could be drawn at all before
// anything is kept, and a number that is not there or not a number ends the
// read instead of leaving a zero behind.
#include "render/model_file.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr size_t kMaxWordLength = 255;
// More than any planet model could need, small enough that a lying count
// cannot make the reader ask for gigabytes before the file runs out.
constexpr int64_t kMaxVertices = 1'000'000;

// "%d" and "%f" take a leading plus sign; from_chars does not.
void dropPlusSign(std::string_view& word) {
    if (word.size() > 1 && word[0] == '+' && word[1] != '-') word.remove_prefix(1);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The blank-separated words after line 1, with enough context for a message
// that says which number was wrong.
struct Reader {
    std::string_view text;
    size_t position = 0;
    std::string error;

    bool next(std::string_view& word) {
        while (position < text.size() && isBlank(text[position])) ++position;
        const size_t start = position;
        while (position < text.size() && !isBlank(text[position])) ++position;
        word = text.substr(start, position - start);
        return !word.empty();
    }

    bool fail(const std::string& what) {
        if (error.empty()) error = what;
        return false;
    }

    // One label, read and ignored: every number group starts with one.
    bool label(const char* before) {
        std::string_view word;
        if (!next(word)) return fail(std::string("the file ends before the label of ") + before);
        if (word.size() > kMaxWordLength)
            return fail(std::string("the label of ") + before + " is longer than 255 characters");
        return true;
    }

    bool integer(const char* what, int32_t& value) {
        std::string_view word;
        if (!next(word)) return fail(std::string("the file ends before ") + what);
        dropPlusSign(word);
        const auto [end, result] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (result != std::errc() || end != word.data() + word.size())
            return fail(std::string(what) + " is not a whole number: \"" + std::string(word) +
                        "\"");
        return true;
    }

    bool count(const char* what, int32_t& value) {
        if (!integer(what, value)) return false;
        if (value < 0)
            return fail(std::string(what) + " is negative (" + std::to_string(value) + ")");
        if (value > kMaxVertices)
            return fail(std::string(what) + " is too large (" + std::to_string(value) + ")");
        return true;
    }

    bool real(const char* what, float& value) {
        std::string_view word;
        if (!next(word)) return fail(std::string("the file ends before ") + what);
        dropPlusSign(word);
        const auto [end, result] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (result != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
            return fail(std::string(what) + " is not a number: \"" + std::string(word) + "\"");
        return true;
    }
};

bool readStrip(Reader& reader, int64_t& verticesSoFar, ModelStrip& strip) {
    if (!reader.label("a strip's normal") || !reader.real("a normal's x", strip.normal.x) ||
        !reader.real("a normal's y", strip.normal.y) ||
        !reader.real("a normal's z", strip.normal.z))
        return false;
    int32_t vertexCount = 0;
    if (!reader.label("a vertex count") || !reader.count("a vertex count", vertexCount))
        return false;
    verticesSoFar += vertexCount;
    if (verticesSoFar > kMaxVertices)
        return reader.fail("the vertices add up to more than 1000000");
    strip.vertices.resize(static_cast<size_t>(vertexCount));
    strip.texCoords.resize(static_cast<size_t>(vertexCount));
    for (int32_t v = 0; v < vertexCount; ++v) {
        Vector3& p = strip.vertices[static_cast<size_t>(v)];
        TexCoord& c = strip.texCoords[static_cast<size_t>(v)];
        if (!reader.label("a vertex") || !reader.real("a vertex's x", p.x) ||
            !reader.real("a vertex's y", p.y) || !reader.real("a vertex's z", p.z) ||
            !reader.label("a texture coordinate") || !reader.real("a texture s", c.s) ||
            !reader.real("a texture t", c.t))
            return false;
    }
    return true;
}

bool readObjects(Reader& reader, std::vector<ModelObject>& objects) {
    int64_t vertices = 0;
    int32_t objectCount = 0;
    if (!reader.label("the object count") || !reader.count("the object count", objectCount))
        return false;
    // Grown one record at a time: a count is only believed as far as the
    // file goes on to back it.
    for (int32_t o = 0; o < objectCount; ++o) {
        ModelObject& object = objects.emplace_back();
        int32_t meshCount = 0;
        if (!reader.label("a mesh count") || !reader.count("a mesh count", meshCount)) return false;
        for (int32_t m = 0; m < meshCount; ++m) {
            ModelMesh& mesh = object.meshes.emplace_back();
            int32_t stripCount = 0;
            if (!reader.label("a strip count") || !reader.count("a strip count", stripCount))
                return false;
            for (int32_t s = 0; s < stripCount; ++s)
                if (!readStrip(reader, vertices, mesh.strips.emplace_back())) return false;
        }
    }
    return true;
}

}  // namespace

bool parseModel(std::string_view text, Model& model, std::string& textureName, std::string& error) {
    if (text.empty()) {
        error = "the file is empty (line 1 should name the texture)";
        return false;
    }
    const size_t lineEnd = text.find('\n');
    std::string_view firstLine = text.substr(0, lineEnd);
    // Files written on other systems end their lines with CR LF.
    if (!firstLine.empty() && firstLine.back() == '\r') firstLine.remove_suffix(1);
    if (firstLine.size() > kMaxWordLength) {
        error = "line 1 (the texture's name) is longer than 255 characters";
        return false;
    }

    Reader reader;
    reader.text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
    std::vector<ModelObject> objects;
    if (!readObjects(reader, objects)) {
        error = reader.error;
        return false;
    }
    model.objects = std::move(objects);
    model.currentObject = 0;
    textureName.assign(firstLine);
    return true;
}
