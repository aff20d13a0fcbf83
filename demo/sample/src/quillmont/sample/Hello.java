package quillmont.sample;

import java.io.File;
import java.net.URISyntaxException;

/** The sample desktop archive: tells where it runs and what it was given. */
public final class Hello {
    private Hello() {}

    public static void main(String[] args) throws URISyntaxException {
        File archive = new File(Hello.class.getProtectionDomain().getCodeSource().getLocation().toURI());
        System.out.println();
        System.out.println("  Hello from Quillmont's sample archive!");
        System.out.println("  archive:   " + archive.getPath());
        System.out.println("  arguments: " + (args.length == 0 ? "(none)" : String.join(" | ", args)));
        System.out.println("  Java:      " + System.getProperty("java.vendor") + " " + System.getProperty("java.version")
                + " on " + System.getProperty("os.name"));
        System.out.println();
    }
}
