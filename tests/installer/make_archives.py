"""Writes into the folder given: "hello world.jar", a desktop archive (a manifest
without MIDlet attributes), and the MIDlet suite game.jad + game.jar whose
MIDlet-Jar-Size matches, so that opening either needs no question."""
import os
import sys
import zipfile

folder = sys.argv[1]
with zipfile.ZipFile(f'{folder}/hello world.jar', 'w') as jar:
    jar.writestr('META-INF/MANIFEST.MF', 'Manifest-Version: 1.0\r\nMain-Class: Hello\r\n\r\n')
with zipfile.ZipFile(f'{folder}/game.jar', 'w') as jar:
    jar.writestr('META-INF/MANIFEST.MF', 'Manifest-Version: 1.0\r\nMIDlet-Name: Game\r\n'
                 'MIDlet-Version: 1.0\r\nMIDlet-Vendor: Brenwick\r\nMIDlet-1: Game,,Game\r\n\r\n')
size = os.path.getsize(f'{folder}/game.jar')
with open(f'{folder}/game.jad', 'w', newline='\r\n') as jad:
    jad.write(f'MIDlet-Name: Game\nMIDlet-Version: 1.0\nMIDlet-Vendor: Brenwick\nMIDlet-1: Game,,Game\n'
              f'MicroEdition-Profile: MIDP-2.0\nMicroEdition-Configuration: CLDC-1.1\n'
              f'MIDlet-Jar-URL: game.jar\nMIDlet-Jar-Size: {size}\n')
