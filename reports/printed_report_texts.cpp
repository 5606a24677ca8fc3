#include "reports/printed_report_texts.h"

#include <array>
#include <string_view>

namespace acv {
namespace {

using P = ReadingParagraph;

constexpr P kDefinitions[] = {
    {P::kHeading, "Anxiety Disorders"},
    {P::kTitle, "Generalised Anxiety Disorder"},
    {P::kBody,
     "Generalised anxiety disorder (GAD) is characterised by at least 6 months of persistent and "
     "excessive anxiety and worry about a number of everyday matters, such as work, health, money "
     "or family, which the person finds hard to control. The worry comes with symptoms such as "
     "restlessness, tiring easily, poor concentration, irritability, muscle tension or broken "
     "sleep, and causes marked distress or gets in the way of daily life."},
    {P::kTitle, "Obsessive-Compulsive Disorder"},
    {P::kBody,
     "Obsessive-compulsive disorder (OCD) is a condition involving recurrent obsessions "
     "(unwanted, intrusive thoughts, urges or images that cause anxiety) and/or compulsions "
     "(repeated acts or mental rituals, such as washing, checking, counting or ordering, carried "
     "out to ease that anxiety). At some point the person sees them as excessive; they take up "
     "much time or cause marked distress or impairment."},
    {P::kTitle, "Panic Disorder"},
    {P::kBody,
     "Panic disorder (PanD) is the presence of recurrent, unexpected panic attacks, followed by "
     "at least a month of persistent worry about having more attacks or about what they might "
     "mean, or by a marked change in behaviour because of them."},
    {P::kBody,
     "A panic attack is a discrete period of intense fear or discomfort that builds quickly, "
     "usually peaking within minutes, with symptoms such as a pounding heart, sweating, "
     "trembling, shortness of breath, chest pain, nausea, dizziness, a sense of unreality, or "
     "fear of losing control or of dying."},
    {P::kTitle, "Post-Traumatic Stress Disorder"},
    {P::kBody,
     "Post-traumatic stress disorder is the development of symptoms after exposure to an "
     "extremely traumatic event involving actual or threatened death or serious injury, to which "
     "the person responded with intense fear, helplessness or horror. For more than a month the "
     "event is relived in memories, dreams or flashbacks, reminders are avoided, feelings are "
     "numbed and the person stays on edge."},
    {P::kTitle, "Specific Phobia"},
    {P::kBody,
     "Specific phobia is characterised by clinically significant and persistent anxiety "
     "provoked by a particular object or situation, such as animals, heights, flying, injections "
     "or the sight of blood. Meeting it brings immediate anxiety, the fear is recognised as "
     "excessive, and the feared thing is avoided or endured with intense distress that "
     "interferes with normal routines."},
    {P::kHeading, "Attention-Deficit and Disruptive Behaviour Disorders"},
    {P::kTitle, "Attention-Deficit/Hyperactivity Disorder"},
    {P::kBody,
     "The essential feature of attention-deficit/hyperactivity disorder (ADHD) is a persistent "
     "pattern of inattention and/or hyperactivity-impulsivity that is more frequent and severe "
     "than is typical for the person's stage of development. Some symptoms were present before "
     "the age of 7 and they cause impairment in at least two settings, such as home and work."},
    {P::kTitle, "Conduct Disorder"},
    {P::kBody,
     "Conduct disorder (CD) is a repetitive and persistent pattern of behaviour in which the "
     "basic rights of others or major age-appropriate social rules are violated: aggression to "
     "people or animals, destruction of property, deceitfulness or theft, and serious breaking of "
     "rules. In an adult it applies only where antisocial personality disorder is not present."},
    {P::kTitle, "Oppositional Defiant Disorder"},
    {P::kBody,
     "Oppositional defiant disorder (ODD) is a recurrent pattern of negativistic, defiant, "
     "disobedient and hostile behaviour towards authority figures lasting at least 6 months, such "
     "as losing one's temper, arguing, deliberately annoying others, blaming others and being "
     "touchy, angry, resentful or spiteful. It is not given where conduct disorder or antisocial "
     "personality disorder is present."},
    {P::kHeading, "Communication Disorders"},
    {P::kTitle, "Expressive Language Disorder"},
    {P::kBody,
     "The essential feature of expressive language disorder (ELD) is an impairment in expressive "
     "language development, well below the person's non-verbal ability and understanding of "
     "language. It may show as a small vocabulary, errors of tense, trouble finding words or "
     "forming sentences of normal length, and it hampers study, work or social communication."},
    {P::kTitle, "Mixed Receptive-Expressive Language Disorder"},
    {P::kBody,
     "Mixed receptive-expressive language disorder (MRELD) is characterised by an impairment in "
     "both receptive and expressive language development: understanding words, sentences or "
     "particular kinds of words is affected as well as expression, well below the person's "
     "non-verbal ability, and it hampers study, work or social communication."},
    {P::kTitle, "Phonological Disorder"},
    {P::kBody,
     "Phonological disorder (PD) is a failure to use developmentally expected speech sounds that "
     "suit the person's age and dialect, for example substituting one sound for another or "
     "leaving sounds out. The errors interfere with study, work or social communication."},
    {P::kHeading, "Depressive Disorders"},
    {P::kTitle, "Dysthymic Disorder"},
    {P::kBody,
     "Dysthymic disorder (DD) is chronically depressed mood present for most of the day, on more "
     "days than not, for at least 2 years, never lifting for more than 2 months at a time. It "
     "comes with at least two further symptoms such as poor appetite or overeating, sleeping too "
     "little or too much, low energy, low self-esteem, poor concentration or hopelessness."},
    {P::kTitle, "Major Depressive Disorder"},
    {P::kBody,
     "Major depressive disorder (MDD) is a clinical course of one or more major depressive "
     "episodes, with no history of manic, mixed or hypomanic episodes."},
    {P::kBody,
     "A major depressive episode is a period of at least 2 weeks of depressed mood or loss of "
     "interest or pleasure in nearly all activities, with further symptoms such as changes in "
     "appetite, weight or sleep, agitation or slowing, tiredness, feelings of worthlessness or "
     "guilt, poor concentration, and recurrent thoughts of death or suicide. It is a clear change "
     "from the person's usual self."},
    {P::kHeading, "Eating Disorders"},
    {P::kTitle, "Anorexia Nervosa"},
    {P::kBody,
     "The essential features of anorexia nervosa (AN) are a refusal to keep body weight at or "
     "above a minimally normal level for age and height, an intense fear of gaining weight even "
     "when underweight, and a disturbed view of one's own weight or shape. In women, menstrual "
     "periods usually stop."},
    {P::kTitle, "Bulimia Nervosa"},
    {P::kBody,
     "Bulimia nervosa (BN) involves binge eating and inappropriate compensatory methods to "
     "prevent weight gain, such as self-induced vomiting, misuse of laxatives, fasting or "
     "excessive exercise, both on average at least twice a week for 3 months. Self-worth is "
     "unduly tied to body shape and weight."},
    {P::kHeading, "Learning Disorders"},
    {P::kTitle, "Disorder of Written Expression"},
    {P::kBody,
     "Disorder of written expression (DWE) pertains to where writing skills fall well below what "
     "is expected for the person's age, intelligence and education, and interfere with study or "
     "daily tasks that need writing. Typical signs are errors of grammar and punctuation, poorly "
     "organised paragraphs, many spelling errors and very poor handwriting."},
    {P::kTitle, "Mathematics Disorder"},
    {P::kBody,
     "The essential feature of mathematics disorder (MD) is mathematical ability well below what "
     "is expected for the person's age, intelligence and education, interfering with study or "
     "daily tasks that need arithmetic. It may show as trouble with number facts, symbols, "
     "counting, copying numbers or following the steps of a calculation."},
    {P::kTitle, "Reading Disorder"},
    {P::kBody,
     "A reading disorder (RD) is where reading achievement (accuracy, speed or comprehension) "
     "falls well below what is expected for the person's age, intelligence and education, and "
     "interferes with study or daily tasks that need reading. Reading aloud may distort, "
     "substitute or leave out words, and reading is often slow and effortful."},
    {P::kHeading, "Personality Disorders"},
    {P::kTitle, "Antisocial Personality Disorder"},
    {P::kBody,
     "Antisocial personality disorder (APD) is characterised by a pervasive pattern of disregard "
     "for, and violation of, the rights of others. It shows in repeated unlawful acts, lying, "
     "impulsivity, aggression, recklessness, irresponsibility and a lack of remorse. The person "
     "is at least 18 years old and showed signs of conduct disorder before the age of 15."},
    {P::kHeading, "Pervasive Developmental Disorders"},
    {P::kTitle, "Asperger\u2019s Disorder"},
    {P::kBody,
     "The essential features of Asperger\u2019s disorder (AsD) are a severe and lasting "
     "impairment in social interaction together with restricted, repetitive patterns of "
     "behaviour, interests and activities, which impair social, work or other functioning. "
     "Unlike autistic disorder, there is no marked delay in language or cognitive development."},
    {P::kTitle, "Autistic Disorder"},
    {P::kBody,
     "Autistic disorder (AD) involves the presence of markedly abnormal or impaired development "
     "in social interaction and communication, with a markedly restricted range of activities "
     "and interests: little use of eye contact or gesture, difficulty forming relationships, "
     "delayed or unusual language and a strong need for sameness. It began before the age of 3."},
    {P::kHeading, "Tic Disorders"},
    {P::kTitle, "Tic Disorder-Motor"},
    {P::kBody,
     "A tic disorder-motor (TicD-M) is a sudden, rapid, recurrent, nonrhythmic, stereotyped motor "
     "movement, such as blinking, grimacing or shrugging. Motor tics, but no vocal tics, occur "
     "many times a day, nearly every day or on and off, for more than a year, starting before "
     "the age of 18."},
    {P::kTitle, "Tic Disorder-Vocal"},
    {P::kBody,
     "A tic disorder-vocal (TicD-V) is a sudden, rapid, recurrent, meaningless sound, such as "
     "throat clearing, sniffing or grunting, or a sudden repeated word. Vocal tics, but no motor "
     "tics, occur for more than a year, starting before the age of 18."},
    {P::kTitle, "Tourette\u2019s Disorder"},
    {P::kBody,
     "Tourette\u2019s disorder (TD) refers to where there are multiple motor tics and one or "
     "more vocal tics. They need not occur together; they come many times a day, nearly every "
     "day or on and off, for more than a year, start before the age of 18 and often change in "
     "kind and severity over time."},
};

// Page 7 opens with major depressive disorder.
constexpr std::size_t kPage7First = 29;
static_assert(std::string_view(kDefinitions[kPage7First].text) == "Major Depressive Disorder");

constexpr P kGuidelines[] = {
    {P::kHeading, "Disorder Column"},
    {P::kBody,
     "The first column of the ACV Report is labelled \u2018Disorder\u2019 and individually lists "
     "all 23 of the disorders for which the ACV provides screening. Attention-deficit/"
     "hyperactivity disorder is screened as three types (hyperactive-impulsive, inattentive and "
     "combined) and tic disorder as two (motor and vocal), thereby creating a total of 26 "
     "individual disorders."},
    {P::kHeading, "Positive Screen Cutoff Column"},
    {P::kBody,
     "The second column is labelled \u2018Positive Screen Cutoff\u2019. It gives, for each "
     "disorder, the number of screening criteria that must be reported for the screen to be "
     "positive."},
    {P::kBody,
     "Disorders that have two values (e.g. generalised anxiety disorder [GAD]) or three (e.g. "
     "autistic disorder [AD]) within the Positive Screen Cutoff column require multiple "
     "categories of criterion to be met. For autistic disorder, at least two criteria must be "
     "met for social interaction, at least one for restricted and repetitive behaviour and at "
     "least one for communication. Each score lines up with the cutoff value beside it. As its "
     "label says, the total of the three is also evaluated: autistic disorder needs a total of "
     "at least 6, and a lower total or no communication criteria points to Asperger\u2019s "
     "disorder instead."},
    {P::kHeading, "Self-Report Score Column"},
    {P::kBody,
     "The \u2018Self-Report Score\u2019 column refers to the number of screening criterion that "
     "were self-reported for each of the disorders."},
    {P::kBody,
     "The Self-Report Score for each of the disorders can be compared with the respective "
     "Positive Screen Cutoff to see if the cutoff was met and, if so, by how much."},
    {P::kBody,
     "In some instances, if the criteria for a more severe disorder has been met, then the less "
     "severe disorder(s) is not indicated even if the criteria were also met. For example, when "
     "antisocial personality disorder screens positive, conduct disorder and oppositional "
     "defiant disorder are not shown as positive, whatever their scores."},
    {P::kBody,
     "This procedure includes the distinction between the mutually exclusive screens of "
     "ADHD-HI/ADHD-I/ADHD-C; CD/ODD/APD; ELD/MRELD; AsD/AD; and TicD/TD."},
    {P::kHeading, "Observer-Report Score Column"},
    {P::kBody,
     "The \u2018Observer-Report Score\u2019 column refers to the number of screening criterion "
     "that were reported by an observer on the behalf of the person being assessed. It may be "
     "interpreted in the same fashion as the Self-Report Score column."},
    {P::kHeading, "Cutoff Attained Column"},
    {P::kBody,
     "If the Self-Report Score and/or the Observer-Report Score indicates that the Positive "
     "Screen Cutoff was met or exceeded, a YES is placed in this column and is shaded. Once "
     "again, mutually exclusive screens are taken into consideration."},
    {P::kBody,
     "Please note that a YES in this column does not constitute a formal diagnosis. It shows "
     "only that the responses warrant further assessment by an appropriate health "
     "professional."},
    {P::kHeading, "Positive Screen Items Met Column"},
    {P::kBody,
     "This column lists the actual criterion that cumulatively together met the cutoff, "
     "culminating in a positive screen, and is separated into Self-Report and Observer-Report. "
     "The numbers are those of the questionnaire's items, so the answers behind a positive "
     "screen can be looked up on the completed paper copy and talked through with the "
     "respondent."},
    {P::kHeading, "Summary Statistics"},
    {P::kBody,
     "Seven items in the ACV are repeated in order to provide a test of reliability. Therefore, "
     "if the \u2018Reliability Measure\u2019 value is greater than or equal to 0.07, the "
     "respondent is deemed to have provided a reliable report."},
    {P::kBody,
     "\u2018Number of Positive Screens\u2019 refers to the number of positive screens indicated "
     "by the Self-Report and Observer-Report."},
};

constexpr std::span<const P> kAllDefinitions(kDefinitions);

const std::array<ReadingPage, 3> kPages = {{
    {"BRIEF DEFINITIONS FOR EACH DISORDER (DSM-IV-TR; APA 2000) ",
     kAllDefinitions.first(kPage7First), 12, 8, 8, 4},
    {"Definitions (continued)", kAllDefinitions.subspan(kPage7First), 12, 8, 8, 4},
    {"ACV Report Interpretation Guidelines", kGuidelines, 10, 10, 9, 7},
}};

}  // namespace

const ReadingPage& ReadingPageText(int page) {
  return kPages.at(static_cast<std::size_t>(page - kFirstReadingPage));
}

}  // namespace acv
