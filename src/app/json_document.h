#pragma once
// The JSON form of documents, for --dump and --convert. It is derived from
// each class's ExchangeFields, so a new drawing class needs no code here.
//
//   {"objects": [{"class": "CAxes", "leftTop": [x, y], ...}, ...]}
//
// Field names become keys ("pen.style" nests as {"pen": {"style": ...}}),
// points are [x, y], point arrays [[x, y], ...], nested object lists arrays of
// objects in the same form, byte blocks hex strings. Non-finite doubles,
// which JSON cannot hold, are the strings "inf", "-inf" and "nan" (another
// NaN bit pattern is "nan(0x<16 hex digits>)"). Strings are the same UTF-8
// text as in memory (the archive decides their 8- or 16-bit form).
//
// Together this makes .gyr -> JSON -> .gyr byte-identical for every file
// this program writes (and so for every file it has saved). A readable file
// written otherwise comes back in the form this program writes, as a load
// and save would give it:
//   - class tags in the long form (0x7FFF and 32 bits) become the short form;
//   - counts and lengths in a longer form than needed become the shortest;
//   - strings stored as 16-bit characters that fit 8 bits become 8-bit ones;
//   - bytes after the last object are dropped;
//   - the sheet's corners are recomputed from its record on loading;
//   - fields that a class reads leniently (a negative vertex count read as
//     none, say) are written as they were understood.

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "model/field_exchange.h"

namespace gyr {

class CGyrDoc;

// Keys keep their order, so a dump lists fields as the file holds them.
using Json = nlohmann::ordered_json;

// A JSON text that does not describe a document; what() names the place,
// for instance "objects[2].pen.style: missing field".
class JsonDocumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One object: "class", then its fields.
Json ObjectToJson(const CObject& obj);
// Reads the fields of obj (whatever its class) from one JSON object, which
// must hold exactly those fields besides "class". Throws JsonDocumentError.
void ReadObjectFields(const Json& json, CMyObj& obj, CGyrDoc* doc);

Json ObjectsToJson(const CObList& objects);
Json DocumentToJson(const CGyrDoc& doc);

// Builds the objects of a JSON document (owned by the caller). The first
// object must be a CAxes; unknown, missing or ill-typed fields are errors.
// Throws JsonDocumentError.
CObList ObjectsFromJson(const Json& json, CGyrDoc* doc);
// Replaces the catalogue of doc by the JSON document, loading it as the same
// .gyr file would load. A JSON error leaves doc untouched. Throws
// JsonDocumentError.
void DocumentFromJson(const Json& json, CGyrDoc& doc);

// Text form used by the command line: two-space indentation, a final newline.
std::string JsonToText(const Json& json);
// Nesting of arrays and objects deeper than this is refused.
constexpr int kMaxJsonDepth = 64;
// Throws JsonDocumentError on a syntax error, on nesting deeper than
// kMaxJsonDepth (naming the line and column) and on a key given twice in one
// object (naming the key). A UTF-8 byte-order mark is accepted.
Json JsonFromText(const std::string& text);

}  // namespace gyr
