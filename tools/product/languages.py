#!/usr/bin/env python3
"""Writes the UTF-8 sources of product/Language/<folder>/Language.ini (make-languages.sh converts
them to UTF-16LE). Usage: languages.py WORK_DIR

Label value: Text,ColorUp,ColorDown,Font,FontSize,Left,Top,Width,Height (colours $00BBGGRR,
sizes in points). Texts hold no commas: the installer splits its values at every comma.
"""
import os
import sys

# Looks shared by every language: (ColorUp, ColorDown, Font, FontSize, Left, Top, Width, Height)
LIGHT, WHITE, MUTED, CYAN = '$00EAE4DC', '$00FFFFFF', '$00A69A8D', '$00F0DD7F'
STYLE = {
    'LabelMenu1': (LIGHT, WHITE, '', 8), 'LabelMenu2': (LIGHT, WHITE, '', 8), 'LabelMenu3': (LIGHT, WHITE, '', 8),
    'LabelPageEQ': (MUTED, WHITE, '', 9, 408), 'LabelPage3D': (MUTED, WHITE, '', 9), 'LabelPageEffect': (MUTED, WHITE, '', 9),
    'LabelPageMic': (MUTED, WHITE, '', 9), 'LabelPageVirtual7ch1': (MUTED, WHITE, '', 9),
    'LabelActive': ('$008AE05B', '$008AE05B', '', 8), 'LabelUnactive': ('$00788CF0', '$00788CF0', '', 8),
    'LabelSync': (MUTED, WHITE, '', 8), 'LabelSetting': (MUTED, WHITE, '', 8), 'LabelSX': ('$00EAC82B', WHITE, '', 8),
    'LabelFeatures': (CYAN, CYAN, 'Tahoma', 15, 56, 296), 'LabelCompanyName': (WHITE, WHITE, 'Tahoma', 16, 114, 139),
    'LabelEQ60Hz': (MUTED, MUTED, '', 8, 70), 'LabelEQ300Hz': (MUTED, MUTED, '', 8, 128),
    'LabelEQ1200Hz': (MUTED, MUTED, '', 8, 186), 'LabelEQ3600Hz': (MUTED, MUTED, '', 8, 247),
    'LabelEQ12000Hz': (MUTED, MUTED, '', 8, 305),
    'Label3DLeftChannel': (WHITE, WHITE, '', 8), 'Label3DRightChannel': (WHITE, WHITE, '', 8),
    'Label3DConnection': (LIGHT, LIGHT, '', 8),
    'LabelMicGain': (WHITE, WHITE, '', 8), 'LabelMicValue': (WHITE, WHITE, '', 8),
    'LabelAbout': ('$00302A26', '$00302A26', 'Tahoma', 9),
}

ORDER = [
    ('Main', ['LabelMenu1', 'LabelMenu2', 'LabelMenu3', 'LabelPageEQ', 'LabelPage3D', 'LabelPageEffect', 'LabelPageMic',
              'LabelPageVirtual7ch1', 'LabelActive', 'LabelUnactive', 'LabelSync', 'LabelSetting', 'LabelSX',
              'LabelFeatures', 'LabelCompanyName', 'LabelWarning']),
    ('EQ', ['LabelEQEnable', 'LableEQ3DEnable', 'LabelEQReset', 'LabelEQS1', 'LabelEQS2', 'LabelEQS3', 'LabelEQS4',
            'LabelEQ60Hz', 'LabelEQ300Hz', 'LabelEQ1200Hz', 'LabelEQ3600Hz', 'LabelEQ12000Hz']),
    ('3D', ['Label3DEnable', 'Label3DFBM', 'Label3DReset', 'Label3DLeftChannel', 'Label3DRightChannel',
            'Label3DConnection']),
    ('Effect', ['LabelEffectNothing', 'LabelEffectTheater', 'LabelEffectBathroom', 'LabelEffectLivingroom',
                'LabelEffectStoneGallery']),
    ('Mic', ['LabelMicBoost', 'LabelMicMute', 'LabelMicGain', 'LabelMicValue']),
    ('Virtual7ch1', ['Label7ch1Enable', 'LabelVirtualClockwise', 'LabelVirtualCounterclockwise', 'Label7ch1Reset']),
    ('About', ['LabelAbout']),
    # The tray menu's captions, read by screen readers in the panel's language.
    ('Menu', ['LanguageMenu', 'SkinMenu', 'HotkeysMenu', 'CloseMenu']),
    # The hotkey dialog and the reports of a hotkey that cannot be used; %1 is the combination.
    ('Hotkeys', ['Title', 'MicMute', 'ShowPanel', 'OK', 'Cancel', 'Taken', 'NotUnderstood']),
    # What a screen reader calls the controls no label names, the link modes and the default
    # actions (keys after the catalogue rows; the panel has built-in English names).
    ('Accessibility', [
        'CloseImage', 'MinimizeImage', 'LEDImage', 'SyncImage', 'D3LBetaSliderImage', 'D3LAlphaSliderImage',
        'D3RBetaSliderImage', 'D3RAlphaSliderImage', 'D3AlphaImage', 'D3BetaImage', 'MicProgressImage',
        'VirtualLImage', 'VirtualRImage', 'VirtualCImage', 'VirtualSUBImage', 'VirtualLSImage',
        'VirtualRSImage', 'VirtualLBImage', 'VirtualRBImage', 'D3LinkIndependent', 'D3LinkDependent',
        'D3LinkInverse', 'ActionPress', 'ActionCheck', 'ActionUncheck', 'ActionSelect', 'ActionSwitch']),
    # The microphone's state in the tray's tooltip and in the notice near it (the panel has
    # built-in English texts).
    ('MicState', ['Muted', 'On']),
]
SETUP = ['LabelBackBtn', 'LabelNextBtn', 'LabelFinishBtn', 'LabelCancelBtn', 'LabelSelectLang', 'LabelVersion',
         'LabelAudioExt', 'LabelInstall', 'LabelReboot', 'LabelRebootRadioBtn', 'LabelNoRebootRadioBtn', 'LabelTitle',
         'LabelWarning1', 'LabelWarning2', 'LabelWarning3', 'LabelWarning4', 'LabelWarning5']

COMMON = {
    # Tab of the 3D page: the page is not reachable, an empty text keeps its tab hidden.
    'LabelPage3D': '', 'LabelPageEQ': 'EQ',
    # Sync switch: kept hidden in the product (empty text).
    'LabelSync': '',
    'LabelSX': 'S1', 'LabelCompanyName': 'QLN Audio', 'LabelMicValue': '0', 'Label3DFBM': 'FBM',
    'LabelEQ60Hz': '60Hz', 'LabelEQ300Hz': '300Hz', 'LabelEQ1200Hz': '1200Hz', 'LabelEQ3600Hz': '3600Hz',
    'LabelEQ12000Hz': '12000Hz',
}

TEXTS = {
    'English': {
        'LanguageMenu': 'Language', 'SkinMenu': 'Skin', 'CloseMenu': 'Close',
        'HotkeysMenu': 'Hotkeys...', 'Title': 'Hotkeys', 'MicMute': '&Microphone mute:', 'ShowPanel': '&Show or hide the panel:', 'OK': 'OK', 'Cancel': 'Cancel', 'Taken': 'Another program already uses the hotkey %1. It stays in the configuration but does nothing.', 'NotUnderstood': 'The hotkey %1 in AudioConfig.cfg is not understood. It stays in the file but does nothing.',
        'LabelMenu1': 'Save', 'LabelMenu2': 'Load', 'LabelMenu3': 'About',
        'LabelPageEffect': 'Effects', 'LabelPageMic': 'Microphone', 'LabelPageVirtual7ch1': '7.1 Surround',
        'LabelActive': 'Connected', 'LabelUnactive': 'Not connected', 'LabelSetting': 'Current preset:',
        'LabelFeatures': 'Virtual 7.1 Surround',
        'LabelWarning': 'The headset is not connected. Please connect the QLN47xx USB headset and try again.',
        'LabelEQEnable': 'Equalizer', 'LableEQ3DEnable': '3D Sound', 'LabelEQReset': 'Reset',
        'LabelEQS1': 'Preset 1', 'LabelEQS2': 'Preset 2', 'LabelEQS3': 'Preset 3', 'LabelEQS4': 'Preset 4',
        'Label3DEnable': '3D Sound', 'Label3DReset': 'Reset', 'Label3DLeftChannel': 'Left',
        'Label3DRightChannel': 'Right', 'Label3DConnection': 'Link',
        'LabelEffectNothing': 'None', 'LabelEffectTheater': 'Theater', 'LabelEffectBathroom': 'Bathroom',
        'LabelEffectLivingroom': 'Living Room', 'LabelEffectStoneGallery': 'Stone Hall',
        'LabelMicBoost': 'Mic Boost', 'LabelMicMute': 'Mute', 'LabelMicGain': 'Volume',
        'Label7ch1Enable': 'Virtual 7.1', 'LabelVirtualClockwise': 'Rotate left',
        'LabelVirtualCounterclockwise': 'Rotate right', 'Label7ch1Reset': 'Reset',
        'LabelAbout': 'QLN47xx Audio Panel for the QLN47xx 7.1 USB headset. '
                      'Copyright (C) 2026 QLN Audio. All rights reserved.',
        # installer
        'LabelBackBtn': '< &Back', 'LabelNextBtn': '&Next >', 'LabelFinishBtn': '&Finish', 'LabelCancelBtn': 'Cancel',
        'LabelSelectLang': '&Select language:', 'LabelVersion': 'QLN47xx 7.1 USB Headset',
        'LabelAudioExt': 'Audio driver and Audio Panel', 'LabelInstall': 'Installing...',
        'LabelReboot': 'Restart the computer to complete the installation.',
        'LabelRebootRadioBtn': '&Restart now', 'LabelNoRebootRadioBtn': 'Restart &later',
        'LabelTitle': 'QLN47xx Audio Setup',
        'LabelWarning1': 'An earlier version of the audio driver is still active. Please restart the computer '
                         'and run Setup again.',
        'LabelWarning2': 'The installation could not be completed. ',
        'LabelWarning3': 'The audio driver could not be started. Please unplug the headset and plug it in '
                         'again or restart the computer.',
        'LabelWarning4': 'Setup will now install a Windows update that the audio driver needs. This can take '
                         'a few minutes.',
        'LabelWarning5': 'The software is already installed in another folder. Remove it there first and run '
                         'Setup again:',
    },
    'German': {
        'LanguageMenu': 'Sprache', 'SkinMenu': 'Oberfläche', 'CloseMenu': 'Beenden',
        'HotkeysMenu': 'Tastenkürzel...', 'Title': 'Tastenkürzel', 'MicMute': '&Mikrofon stumm:', 'ShowPanel': '&Panel zeigen oder verbergen:', 'OK': 'OK', 'Cancel': 'Abbrechen', 'Taken': 'Ein anderes Programm verwendet bereits das Tastenkürzel %1. Es bleibt in der Konfiguration und bewirkt nichts.', 'NotUnderstood': 'Das Tastenkürzel %1 in AudioConfig.cfg ist ungültig. Es bleibt in der Datei und bewirkt nichts.',
        'LabelMenu1': 'Sichern', 'LabelMenu2': 'Laden', 'LabelMenu3': 'Info',
        'LabelPageEffect': 'Effekte', 'LabelPageMic': 'Mikrofon', 'LabelPageVirtual7ch1': '7.1 Surround',
        'LabelActive': 'Verbunden', 'LabelUnactive': 'Getrennt', 'LabelSetting': 'Aktuelles Profil:',
        'LabelFeatures': 'Virtueller 7.1-Surround',
        'LabelWarning': 'Das Headset ist nicht angeschlossen. Bitte schließen Sie das QLN47xx USB-Headset '
                        'an und versuchen Sie es erneut.',
        'LabelEQEnable': 'Equalizer', 'LableEQ3DEnable': '3D-Klang', 'LabelEQReset': 'Zurücksetzen',
        'LabelEQS1': 'Profil 1', 'LabelEQS2': 'Profil 2', 'LabelEQS3': 'Profil 3', 'LabelEQS4': 'Profil 4',
        'Label3DEnable': '3D-Klang', 'Label3DReset': 'Zurücksetzen', 'Label3DLeftChannel': 'Links',
        'Label3DRightChannel': 'Rechts', 'Label3DConnection': 'Kopplung',
        'LabelEffectNothing': 'Aus', 'LabelEffectTheater': 'Kino', 'LabelEffectBathroom': 'Badezimmer',
        'LabelEffectLivingroom': 'Wohnzimmer', 'LabelEffectStoneGallery': 'Steinhalle',
        'LabelMicBoost': 'Verstärkung', 'LabelMicMute': 'Stumm', 'LabelMicGain': 'Pegel',
        'Label7ch1Enable': 'Virtuell 7.1', 'LabelVirtualClockwise': 'Links drehen',
        'LabelVirtualCounterclockwise': 'Rechts drehen', 'Label7ch1Reset': 'Zurücksetzen',
        'LabelAbout': 'QLN47xx Audio Panel für das QLN47xx 7.1 USB-Headset. '
                      'Copyright (C) 2026 QLN Audio. Alle Rechte vorbehalten.',
        'LabelBackBtn': '< &Zurück', 'LabelNextBtn': '&Weiter >', 'LabelFinishBtn': '&Fertig stellen',
        'LabelCancelBtn': 'Abbrechen',
        'LabelSelectLang': '&Sprache wählen:', 'LabelVersion': 'QLN47xx 7.1 USB-Headset',
        'LabelAudioExt': 'Audiotreiber und Audio Panel', 'LabelInstall': 'Installation läuft...',
        'LabelReboot': 'Zum Abschluss muss der Computer neu gestartet werden.',
        'LabelRebootRadioBtn': '&Jetzt neu starten', 'LabelNoRebootRadioBtn': 'S&päter neu starten',
        'LabelTitle': 'QLN47xx Audio Setup',
        'LabelWarning1': 'Eine ältere Version des Audiotreibers ist noch aktiv. Bitte starten Sie den Computer '
                         'neu und führen Sie das Setup erneut aus.',
        'LabelWarning2': 'Die Installation konnte nicht abgeschlossen werden. ',
        'LabelWarning3': 'Der Audiotreiber konnte nicht gestartet werden. Bitte stecken Sie das Headset neu '
                         'ein oder starten Sie den Computer neu.',
        'LabelWarning4': 'Das Setup installiert jetzt ein für den Audiotreiber erforderliches Windows-Update. '
                         'Dies kann einige Minuten dauern.',
        'LabelWarning5': 'Die Software ist bereits in einem anderen Ordner installiert. Entfernen Sie sie '
                         'dort und starten Sie das Setup erneut:',
    },
    'French': {
        'LanguageMenu': 'Langue', 'SkinMenu': 'Habillage', 'CloseMenu': 'Quitter',
        'HotkeysMenu': 'Raccourcis...', 'Title': 'Raccourcis clavier', 'MicMute': 'Couper le &micro :', 'ShowPanel': '&Afficher ou masquer le panneau :', 'OK': 'OK', 'Cancel': 'Annuler', 'Taken': 'Un autre programme utilise déjà le raccourci %1. Il reste dans la configuration mais sans effet.', 'NotUnderstood': "Le raccourci %1 dans AudioConfig.cfg n'est pas compris. Il reste dans le fichier mais sans effet.",
        'LabelMenu1': 'Sauver', 'LabelMenu2': 'Ouvrir', 'LabelMenu3': 'À propos',
        'LabelPageEffect': 'Effets', 'LabelPageMic': 'Micro', 'LabelPageVirtual7ch1': 'Surround 7.1',
        'LabelActive': 'Connecté', 'LabelUnactive': 'Déconnecté', 'LabelSetting': 'Profil actuel :',
        'LabelFeatures': 'Surround virtuel 7.1',
        'LabelWarning': 'Le casque n\'est pas connecté. Veuillez brancher le casque USB QLN47xx puis réessayer.',
        'LabelEQEnable': 'Égaliseur', 'LableEQ3DEnable': 'Son 3D', 'LabelEQReset': 'Réinitialiser',
        'LabelEQS1': 'Profil 1', 'LabelEQS2': 'Profil 2', 'LabelEQS3': 'Profil 3', 'LabelEQS4': 'Profil 4',
        'Label3DEnable': 'Son 3D', 'Label3DReset': 'Réinitialiser', 'Label3DLeftChannel': 'Gauche',
        'Label3DRightChannel': 'Droite', 'Label3DConnection': 'Liaison',
        'LabelEffectNothing': 'Aucun', 'LabelEffectTheater': 'Cinéma', 'LabelEffectBathroom': 'Salle d\'eau',
        'LabelEffectLivingroom': 'Salon', 'LabelEffectStoneGallery': 'Galerie',
        'LabelMicBoost': 'Amplification', 'LabelMicMute': 'Muet', 'LabelMicGain': 'Volume',
        'Label7ch1Enable': 'Virtuel 7.1', 'LabelVirtualClockwise': 'Rot. gauche',
        'LabelVirtualCounterclockwise': 'Rot. droite', 'Label7ch1Reset': 'Réinitialiser',
        'LabelAbout': 'QLN47xx Audio Panel pour le casque USB 7.1 QLN47xx. '
                      'Copyright (C) 2026 QLN Audio. Tous droits réservés.',
        'LabelBackBtn': '< Pré&cédent', 'LabelNextBtn': '&Suivant >', 'LabelFinishBtn': '&Terminer',
        'LabelCancelBtn': 'Annuler',
        'LabelSelectLang': 'Choisir la &langue :', 'LabelVersion': 'Casque USB 7.1 QLN47xx',
        'LabelAudioExt': 'Pilote audio et Audio Panel', 'LabelInstall': 'Installation en cours...',
        'LabelReboot': 'Redémarrez l\'ordinateur pour terminer l\'installation.',
        'LabelRebootRadioBtn': 'Redémarrer &maintenant', 'LabelNoRebootRadioBtn': 'Redémarrer &plus tard',
        'LabelTitle': 'Installation QLN47xx Audio',
        'LabelWarning1': 'Une ancienne version du pilote audio est encore active. Veuillez redémarrer '
                         'l\'ordinateur puis relancer l\'installation.',
        'LabelWarning2': 'L\'installation n\'a pas pu être terminée. ',
        'LabelWarning3': 'Le pilote audio n\'a pas pu démarrer. Veuillez débrancher puis rebrancher le casque '
                         'ou redémarrer l\'ordinateur.',
        'LabelWarning4': 'L\'installation va maintenant ajouter une mise à jour de Windows nécessaire au pilote '
                         'audio. Cela peut prendre quelques minutes.',
        'LabelWarning5': 'Le logiciel est déjà installé dans un autre dossier. Désinstallez-le d\'abord '
                         'puis relancez l\'installation :',
    },
    'Spanish': {
        'LanguageMenu': 'Idioma', 'SkinMenu': 'Apariencia', 'CloseMenu': 'Cerrar',
        'HotkeysMenu': 'Teclas rápidas...', 'Title': 'Teclas rápidas', 'MicMute': 'Silenciar el &micrófono:', 'ShowPanel': '&Mostrar u ocultar el panel:', 'OK': 'Aceptar', 'Cancel': 'Cancelar', 'Taken': 'Otro programa ya usa la tecla rápida %1. Se mantiene en la configuración pero no hace nada.', 'NotUnderstood': 'La tecla rápida %1 de AudioConfig.cfg no se entiende. Se mantiene en el archivo pero no hace nada.',
        'LabelMenu1': 'Guardar', 'LabelMenu2': 'Cargar', 'LabelMenu3': 'Acerca de',
        'LabelPageEffect': 'Efectos', 'LabelPageMic': 'Micrófono', 'LabelPageVirtual7ch1': 'Envolvente 7.1',
        'LabelActive': 'Conectado', 'LabelUnactive': 'Desconectado', 'LabelSetting': 'Perfil actual:',
        'LabelFeatures': 'Sonido envolvente 7.1',
        'LabelWarning': 'Los auriculares no están conectados. Conecte los auriculares USB QLN47xx e '
                        'inténtelo de nuevo.',
        'LabelEQEnable': 'Ecualizador', 'LableEQ3DEnable': 'Sonido 3D', 'LabelEQReset': 'Restablecer',
        'LabelEQS1': 'Perfil 1', 'LabelEQS2': 'Perfil 2', 'LabelEQS3': 'Perfil 3', 'LabelEQS4': 'Perfil 4',
        'Label3DEnable': 'Sonido 3D', 'Label3DReset': 'Restablecer', 'Label3DLeftChannel': 'Izquierdo',
        'Label3DRightChannel': 'Derecho', 'Label3DConnection': 'Enlace',
        'LabelEffectNothing': 'Ninguno', 'LabelEffectTheater': 'Cine', 'LabelEffectBathroom': 'Baño',
        'LabelEffectLivingroom': 'Salón', 'LabelEffectStoneGallery': 'Galería',
        'LabelMicBoost': 'Amplificar', 'LabelMicMute': 'Silencio', 'LabelMicGain': 'Volumen',
        'Label7ch1Enable': 'Virtual 7.1', 'LabelVirtualClockwise': 'Girar izq.',
        'LabelVirtualCounterclockwise': 'Girar der.', 'Label7ch1Reset': 'Restablecer',
        'LabelAbout': 'QLN47xx Audio Panel para los auriculares USB 7.1 QLN47xx. '
                      'Copyright (C) 2026 QLN Audio. Todos los derechos reservados.',
        'LabelBackBtn': '< &Atrás', 'LabelNextBtn': '&Siguiente >', 'LabelFinishBtn': '&Finalizar',
        'LabelCancelBtn': 'Cancelar',
        'LabelSelectLang': '&Elija el idioma:', 'LabelVersion': 'Auriculares USB 7.1 QLN47xx',
        'LabelAudioExt': 'Controlador de audio y Audio Panel', 'LabelInstall': 'Instalando...',
        'LabelReboot': 'Reinicie el equipo para completar la instalación.',
        'LabelRebootRadioBtn': '&Reiniciar ahora', 'LabelNoRebootRadioBtn': 'Reiniciar &más tarde',
        'LabelTitle': 'Instalación de QLN47xx Audio',
        'LabelWarning1': 'Una versión anterior del controlador de audio sigue activa. Reinicie el equipo y '
                         'vuelva a ejecutar la instalación.',
        'LabelWarning2': 'No se pudo completar la instalación. ',
        'LabelWarning3': 'No se pudo iniciar el controlador de audio. Desconecte y vuelva a conectar los '
                         'auriculares o reinicie el equipo.',
        'LabelWarning4': 'El programa instalará ahora una actualización de Windows que necesita el '
                         'controlador de audio. Puede tardar unos minutos.',
        'LabelWarning5': 'El software ya está instalado en otra carpeta. Desinstálelo primero y vuelva a '
                         'ejecutar el programa de instalación:',
    },
}

# The [Accessibility] names, in the order of the section.
ACCESSIBILITY = {
    'English': [
        'Close', 'Minimize', 'LED', 'Synchronize', 'Left beta', 'Left alpha', 'Right beta', 'Right alpha',
        'Alpha link', 'Beta link', 'Microphone level', 'Front left speaker', 'Front right speaker',
        'Centre speaker', 'Subwoofer', 'Side left speaker', 'Side right speaker', 'Back left speaker',
        'Back right speaker', 'Independent', 'Linked', 'Inverse', 'Press', 'Check', 'Uncheck', 'Select',
        'Switch'],
    'German': [
        'Schließen', 'Minimieren', 'LED', 'Synchronisieren', 'Beta links', 'Alpha links', 'Beta rechts',
        'Alpha rechts', 'Alpha-Kopplung', 'Beta-Kopplung', 'Mikrofonpegel', 'Lautsprecher vorne links',
        'Lautsprecher vorne rechts', 'Center-Lautsprecher', 'Subwoofer', 'Lautsprecher seitlich links',
        'Lautsprecher seitlich rechts', 'Lautsprecher hinten links', 'Lautsprecher hinten rechts',
        'Unabhängig', 'Gekoppelt', 'Gegenläufig', 'Drücken', 'Einschalten', 'Ausschalten', 'Auswählen',
        'Wechseln'],
    'French': [
        'Fermer', 'Réduire', 'LED', 'Synchroniser', 'Bêta gauche', 'Alpha gauche', 'Bêta droite',
        'Alpha droite', 'Liaison alpha', 'Liaison bêta', 'Niveau du micro', 'Haut-parleur avant gauche',
        'Haut-parleur avant droit', 'Haut-parleur central', 'Caisson de basses', 'Haut-parleur latéral gauche',
        'Haut-parleur latéral droit', 'Haut-parleur arrière gauche', 'Haut-parleur arrière droit',
        'Indépendant', 'Lié', 'Inversé', 'Appuyer', 'Cocher', 'Décocher', 'Sélectionner', 'Basculer'],
    'Spanish': [
        'Cerrar', 'Minimizar', 'LED', 'Sincronizar', 'Beta izquierda', 'Alfa izquierda', 'Beta derecha',
        'Alfa derecha', 'Enlace alfa', 'Enlace beta', 'Nivel del micrófono', 'Altavoz delantero izquierdo',
        'Altavoz delantero derecho', 'Altavoz central', 'Subwoofer', 'Altavoz lateral izquierdo',
        'Altavoz lateral derecho', 'Altavoz trasero izquierdo', 'Altavoz trasero derecho', 'Independiente',
        'Enlazado', 'Inverso', 'Pulsar', 'Activar', 'Desactivar', 'Seleccionar', 'Cambiar'],
}

# The [MicState] texts, in the order of the section.
MIC_STATE = {
    'English': ['Microphone muted', 'Microphone on'],
    'German': ['Mikrofon stumm', 'Mikrofon an'],
    'French': ['Micro coupé', 'Micro activé'],
    'Spanish': ['Micrófono silenciado', 'Micrófono activado'],
}


def value(key, text):
    if ',' in text:
        raise SystemExit('%s: a text may not hold a comma: %r' % (key, text))
    st = STYLE.get(key)
    if not st:
        return text
    fields = [text] + [str(f) for f in st]
    while len(fields) > 1 and fields[-1] == '':
        fields.pop()
    return ','.join(fields)


def write(folder, texts, out):
    t = dict(COMMON)
    t.update(texts)
    lines = ['; %s texts of the QLN47xx Audio Panel and of its Setup.' % folder,
             '; Generated by tools/product/make-languages.sh from tools/product/languages.py.',
             '; Label value: Text,ColorUp,ColorDown,Font,FontSize,Left,Top,Width,Height; colours $00BBGGRR.',
             '',
             '[GlobalFont]', 'ColorUp=%s' % LIGHT, 'ColorDown=%s' % WHITE, 'Font=Tahoma', 'FontSize=8', '']
    for section, keys in ORDER:
        lines.append('[%s]' % section)
        for k in keys:
            lines.append('%s=%s' % (k, value(k, t[k])))
        lines.append('')
    lines.append('[Setup]')
    for k in SETUP:
        lines.append('%s=%s' % (k, value(k, t[k])))
    lines.append('')
    os.makedirs(os.path.join(out, folder), exist_ok=True)
    with open(os.path.join(out, folder, 'Language.ini'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines))


if __name__ == '__main__':
    access_keys = dict(ORDER)['Accessibility']
    for folder, texts in TEXTS.items():
        texts.update(zip(access_keys, ACCESSIBILITY[folder]))
        texts.update(zip(dict(ORDER)['MicState'], MIC_STATE[folder]))
        missing = [k for _, keys in ORDER for k in keys if k not in texts and k not in COMMON] + \
                  [k for k in SETUP if k not in texts]
        if missing:
            raise SystemExit('%s: missing %s' % (folder, missing))
        write(folder, texts, sys.argv[1])
