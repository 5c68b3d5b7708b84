// Stored window layouts: a small text format of nested object blocks,
// read through the class and property registries.
//
//   # a comment runs to the end of the line
//   TForm1 Form1 {                      # class and name of the root
//       Caption: "Strip sender"         # property: value
//       ClientWidth: 669
//       Font.Name: "MS Sans Serif"      # a property of an object property
//       Position: poScreenCenter        # enumeration or Boolean identifier
//       BorderIcons: [biSystemMenu]     # set
//       Color: clBtnFace                # integer: number, 0x hex, or a name
//       ActiveControl: Edit1            # object: a component of the root, or nil
//       OnCreate -> FormCreate          # event -> handler method of the root
//       TComboBox ComboBox1 {           # a component owned by the root; a
//           Items: ["0", "1"]           #   control's parent is the block around it
//       }
//       TSkinData SkinData1 {
//           SkinStream: hex { 00 00 00 00 }   # bytes for a binary property
//       }
//   }
//
// The text is UTF-8; string values become GBK bytes (wide strings UTF-16)
// when read. Values apply in the order written. Components are created by
// class name (registered classes), named, given their parent, stored in
// the root's field of that name, and get Loaded once the whole layout is
// read. A program keeps the layout of a form class as an RCDATA resource
// named after the class (TFORM1 RCDATA "send.layout").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components.h"

namespace fw {

// A layout that does not parse, or does not fit the classes it names;
// the message gives the line.
class EReadError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

struct TLayoutValue {
    enum Kind { Number, Ident, String, List, Bytes };
    Kind kind = Number;
    int64_t number = 0;
    std::string text;  // identifier, or the UTF-8 text of a string
    std::vector<TLayoutValue> items;
    std::vector<uint8_t> bytes;
    int line = 0;
};

struct TLayoutObject;

struct TLayoutItem {
    enum Kind { Property, Event, Object };
    Kind kind = Property;
    std::string name;  // property path, or event name
    TLayoutValue value;
    std::string handler;
    std::unique_ptr<TLayoutObject> object;
    int line = 0;
};

struct TLayoutObject {
    std::string className;
    std::string name;
    std::vector<TLayoutItem> items;
    int line = 0;
};

TLayoutObject ParseLayout(std::string_view utf8);

// Reads a layout into root, whose class must be the layout's root class.
void ReadLayout(TComponent* root, std::string_view utf8);
// Reads the layout resource of root's class; false when the program has none.
bool ReadLayoutResource(TComponent* root);

}  // namespace fw
