// Stand-in for the macOS SDK (syntax check only): the Apple event codes the desktop facts read.
// Each code is a four-character constant ('prdt' and so on), written here as its value.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <MacTypes.h>

typedef FourCharCode AEKeyword;
typedef FourCharCode AEEventClass;
typedef FourCharCode AEEventID;
typedef ResType DescType;

enum : FourCharCode {
    // Event classes and identifiers.
    kCoreEventClass = 0x61657674,       // 'aevt'
    kAEOpenApplication = 0x6f617070,    // 'oapp'
    kAEReopenApplication = 0x72617070,  // 'rapp'
    kAEQuitApplication = 0x71756974,    // 'quit'
    kAEOpenDocuments = 0x6f646f63,      // 'odoc'

    // Parameters and attributes.
    keyDirectObject = 0x2d2d2d2d,  // '----'
    keyAEPropData = 0x70726474,    // 'prdt'
    kAEQuitReason = 0x7768793f,    // 'why?'

    // Enumerated values: the launch was a login item's; why the quit was sent.
    keyAELaunchedAsLogInItem = 0x6c676974,  // 'lgit'
    kAEQuitAll = 0x71756961,                // 'quia'
    kAEShutDown = 0x73687574,               // 'shut'
    kAERestart = 0x72657374,                // 'rest'
    kAELogOut = 0x6c6f676f,                 // 'logo'
    kAEReallyLogOut = 0x726c676f,           // 'rlgo'
    kAEShowRestartDialog = 0x72727374,      // 'rrst'
    kAEShowShutdownDialog = 0x7273646e,     // 'rsdn'

    // Descriptor types.
    typeEnumerated = 0x656e756d,  // 'enum'
    typeType = 0x74797065,        // 'type'
    typeSInt32 = 0x6c6f6e67,      // 'long'
    typeBoolean = 0x626f6f6c,     // 'bool'
    typeUTF8Text = 0x75746638,    // 'utf8'
    typeAppleEvent = 0x61657674,  // 'aevt'
};
