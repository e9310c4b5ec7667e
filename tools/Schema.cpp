// The JSON Schema of config.json, made from the table of its members, for editors.
#include <string>

#include "Diagnosis.h"
#include "PolicyWords.h"
#include "config/ConfigMembers.h"
#include "config/zones/TimeZone.h"
#include "day/PolicyTable.h"

namespace morrowset {

using nlohmann::json;

json Schema() {
  json schema = {{"$schema", "https://json-schema.org/draft/2020-12/schema"},
                 {"title", "Morrowset config.json"},
                 {"type", "object"}};
  json required = json::array();
  for (const ConfigMember& member : kConfigMembers) {
    json property;
    switch (member.kind) {
      case MemberKind::Switch:
        property = {{"type", "boolean"}};
        break;
      case MemberKind::DayNumber:
        property = {{"type", {"number", "boolean"}}};
        break;
      case MemberKind::ZoneName:
        property = {{"type", "string"}, {"enum", TimeZones::Names()}};
        break;
    }
    property["description"] = MemberDescription(member);
    if (member.kind == MemberKind::ZoneName)
      property["description"] =
          property["description"].get<std::string>() + " (tz database " + TimeZones::DataVersion() + ")";
    schema["properties"][member.name] = property;
    if (member.required) required.push_back(member.name);
  }
  schema["required"] = required;
  return schema;
}

json ReportSchemaParts() {
  json settings = {{"type", "object"}, {"required", json::array()}};
  for (const ConfigMember& member : kConfigMembers) {
    settings["required"].push_back(member.name);
    json& property = settings["properties"][member.name];
    switch (member.kind) {
      case MemberKind::Switch:
        property = {{"type", "boolean"}};
        break;
      case MemberKind::DayNumber:
        property = {{"type", "integer"}};
        break;
      case MemberKind::ZoneName:
        property = {{"type", {"string", "null"}}, {"description", "null: the server's local time"}};
        break;
    }
  }
  json timers = json::array();
  for (const DayPolicy& policy : kDayPolicies) timers.push_back(policy.timer);
  return {{"/$defs/config/properties/settings/oneOf/1", settings},
          {"/$defs/config/properties/policies/items/enum", timers},
          {"/$defs/config/properties/error/oneOf/1/properties/kind/enum", kProblemKindNames}};
}

}  // namespace morrowset
