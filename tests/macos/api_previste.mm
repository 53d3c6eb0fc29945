// The declarations of tests/macos/include that no file of src/ calls yet (the sources check the
// rest), called the way the Objective-C++ files would. Checked by scripts/controlla_macos.sh only.
#import <AppKit/AppKit.h>

int main() {
    @autoreleasepool {
        NSMenu* menu = [[NSMenu alloc] initWithTitle:@""];
        [menu addItemWithTitle:@"Esci" action:@selector(terminate:) keyEquivalent:@"q"];
        NSUserDefaults* globali = [[NSUserDefaults alloc] initWithSuiteName:NSGlobalDomain];
        id stile = [globali objectForKey:@"AppleInterfaceStyle"];
        const bool scuro = [stile isKindOfClass:[NSString class]] && [stile isEqualToString:@"Dark"];
        NSAppleEventDescriptor* evento = [NSAppleEventManager sharedAppleEventManager].currentAppleEvent;
        const OSType motivo = [evento paramDescriptorForKeyword:kAEQuitReason].enumCodeValue;
        return static_cast<int>(scuro) + static_cast<int>(motivo == kAEShutDown);
    }
}
